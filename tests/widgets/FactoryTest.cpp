#include "WidgetFixture.h"

#include "core/ControlType.h"
#include "widgets/CGodeList.h"
#include "widgets/DRO.h"
#include "widgets/DesignWidget.h"
#include "widgets/Labels.h"
#include "widgets/Picture.h"
#include "widgets/WidgetFactory.h"

using namespace tavlora;

namespace {

class FactoryTest : public WidgetFixture {};

} // namespace

TEST_F(FactoryTest, IdentifiersStartAt8000AndAreNeverReused)
{
    ControlRecord placedA, placedB;
    ASSERT_TRUE(WidgetFactory::CreateWidget(placedA, WidgetFactory::KindLabel, ctx_, true, Rect{0, 0, 10, 10}));
    ASSERT_TRUE(WidgetFactory::CreateWidget(placedB, WidgetFactory::KindMdi, ctx_, true, Rect{0, 0, 10, 10}));
    EXPECT_EQ(placedA.widget->ControlId(), 8000);
    EXPECT_EQ(placedB.widget->ControlId(), 8001);
    Add(TypeDro, 0, 0, 10, 10);
    Add(TypeObsolete, 0, 0, 10, 10);
    Add(TypeLabel, 0, 0, 10, 10);
    Add(TypeMdi, 0, 0, 10, 10);
    Rebuild();
    EXPECT_EQ(set_.At(0).widget->ControlId(), 8002);
    EXPECT_FALSE(set_.At(1).widget);
    EXPECT_EQ(set_.At(2).widget->ControlId(), 8003);
    EXPECT_EQ(set_.At(3).widget->ControlId(), 8004);
    set_.ClearAll();
    Add(TypeLabel, 0, 0, 10, 10);
    Rebuild();
    EXPECT_EQ(set_.At(0).widget->ControlId(), 8005);
}

TEST_F(FactoryTest, KindsTypesAndCreationSteps)
{
    const int kinds[] = {1, 2, 6, 7, 8, 9, 10, 11, 12, 13};
    const int types[] = {3, 4, 1, 8, 3, 7, 6, 9, 10, 11};
    for (size_t i = 0; i < std::size(kinds); ++i) {
        ControlRecord rec;
        rec.rect = Rect{1, 2, 3, 4};
        ASSERT_TRUE(WidgetFactory::CreateWidget(rec, kinds[i], ctx_, true, Rect{5, 6, 50, 60}));
        EXPECT_EQ(rec.type, types[i]) << kinds[i];
        EXPECT_EQ(rec.rect, (Rect{5, 6, 50, 60}));
        EXPECT_FALSE(rec.widget->IsVisible());
        EXPECT_EQ(rec.widget->Placement(), rec.rect);
        EXPECT_EQ(WidgetFactory::KindForType(types[i]) == kinds[i], kinds[i] != 8) << kinds[i];
    }
    for (int kind : {0, 3, 4, 5, 14, -1}) {
        ControlRecord rec;
        EXPECT_FALSE(WidgetFactory::CreateWidget(rec, kind, ctx_, true, Rect{}));
        EXPECT_FALSE(rec.widget);
    }
    // An empty rectangle leaves the record's own.
    ControlRecord keep;
    keep.rect = Rect{7, 7, 9, 9};
    WidgetFactory::CreateWidget(keep, WidgetFactory::KindLabel, ctx_, true, Rect{});
    EXPECT_EQ(keep.rect, (Rect{7, 7, 9, 9}));
    EXPECT_TRUE(WidgetFactory::DisabledForType(TypeDro));
    EXPECT_FALSE(WidgetFactory::DisabledForType(TypeImageButton));
}

TEST_F(FactoryTest, RebuildAppliesThePerTypeSetUp)
{
    ControlRecord& older = Add(TypeOlderImage, 0, 0, 10, 10);
    ControlRecord& obsolete = Add(TypeObsolete, 3, 4, 5, 6);
    ControlRecord& unknown = Add(99, 3, 4, 5, 6);
    ControlRecord& list = Add(TypeGCodeList, 0, 0, 50, 50);
    list.parameter = 0;
    ControlRecord& list7 = Add(TypeGCodeList, 0, 0, 50, 50);
    list7.parameter = 7;
    ControlRecord& dro = Add(TypeDro, 0, 0, 50, 20);
    dro.format = "%.2f";
    ControlRecord& label = Add(TypeLabel, 0, 0, 50, 20);
    label.label = "Feed";
    label.text = "ignored";
    ControlRecord& inverted = Add(TypeMdi, 40, 40, 10, 10);
    Rebuild();

    EXPECT_EQ(older.type, TypeImage);
    EXPECT_TRUE(dynamic_cast<Picture*>(older.widget.get()));
    EXPECT_EQ(obsolete.type, TypeObsolete);
    EXPECT_FALSE(obsolete.widget);
    EXPECT_EQ(obsolete.rect, (Rect{3, 4, 5, 6}));
    EXPECT_FALSE(unknown.widget);
    EXPECT_EQ(list.parameter, 10);
    EXPECT_EQ(dynamic_cast<CGodeList*>(list.widget.get())->LineCount(), 10);
    EXPECT_EQ(dynamic_cast<CGodeList*>(list7.widget.get())->LineCount(), 7);
    EXPECT_EQ(dynamic_cast<DRO*>(dro.widget.get())->DisplayText(), "0.00");
    EXPECT_EQ(dynamic_cast<Labels*>(label.widget.get())->Text(), "Feed");
    EXPECT_EQ(inverted.rect, (Rect{40, 40, 10, 10}));
}

TEST_F(FactoryTest, StackingOrderFollowsCreationWithDroAndPicturesAtTheBottom)
{
    ControlRecord& label = Add(TypeLabel, 0, 0, 10, 10);
    ControlRecord& dro = Add(TypeDro, 0, 0, 10, 10);
    ControlRecord& pic = Add(TypeImage, 0, 0, 10, 10);
    ControlRecord& mdi = Add(TypeMdi, 0, 0, 10, 10);
    Rebuild();
    auto z = [](ControlRecord& r) { return dynamic_cast<DesignWidget*>(r.widget.get())->ZOrder(); };
    EXPECT_LT(z(pic), z(dro)); // each move to the bottom goes below the earlier ones
    EXPECT_LT(z(dro), z(label));
    EXPECT_LT(z(label), z(mdi));
    dynamic_cast<DesignWidget*>(pic.widget.get())->RaiseToTop();
    EXPECT_GT(z(pic), z(mdi));
}

TEST_F(FactoryTest, MoveToRectRunsTheResizeReaction)
{
    WriteBitmap("P.png", Solid(5, 5, Qt::red));
    ControlRecord& rec = Add(TypeImage, 0, 0, 10, 10);
    rec.image = "P.png";
    Rebuild();
    auto* pic = dynamic_cast<Picture*>(rec.widget.get());
    EXPECT_EQ(pic->Image().Picture().size(), QSize(10, 10));
    rec.widget->SetVisible(true);
    rec.MoveToRect(Rect{5, 5, 35, 25});
    EXPECT_EQ(rec.widget->Placement(), (Rect{5, 5, 35, 25}));
    EXPECT_EQ(pic->Image().Picture().size(), QSize(30, 20));
    rec.MoveToRect(Rect{50, 50, 80, 70}); // a pure move keeps the scaled picture
    EXPECT_EQ(pic->Image().Picture().size(), QSize(30, 20));
}
