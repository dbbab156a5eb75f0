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
    ASSERT_TRUE(WidgetFactory::CreateWidget(placedA, WidgetFactory::KindLabel, ctx_, true));
    ASSERT_TRUE(WidgetFactory::CreateWidget(placedB, WidgetFactory::KindMdi, ctx_, true));
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
        rec.rect = Rect{5, 6, 50, 60};
        const ControlRecord before(rec);
        ASSERT_TRUE(WidgetFactory::CreateWidget(rec, kinds[i], ctx_, true));
        EXPECT_EQ(WidgetFactory::TypeForKind(kinds[i]), types[i]) << kinds[i];
        EXPECT_TRUE(rec.SameStoredFields(before)) << kinds[i]; // widgets never change records
        EXPECT_FALSE(rec.widget->IsVisible());
        EXPECT_EQ(WidgetFactory::Of(rec)->Geometry(), QRect(5, 6, 45, 54));
        EXPECT_EQ(WidgetFactory::KindForType(types[i]) == kinds[i], kinds[i] != 8) << kinds[i];
    }
    for (int kind : {0, 3, 4, 5, 14, -1}) {
        ControlRecord rec;
        EXPECT_FALSE(WidgetFactory::CreateWidget(rec, kind, ctx_, true));
        EXPECT_FALSE(rec.widget);
        EXPECT_EQ(WidgetFactory::TypeForKind(kind), 0);
    }
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

TEST_F(FactoryTest, GeometrySyncRunsTheResizeReactionHiddenOrNot)
{
    WriteBitmap("P.png", Solid(5, 5, Qt::red));
    ControlRecord& rec = Add(TypeImage, 0, 0, 10, 10);
    rec.image = "P.png";
    Rebuild();
    auto* pic = dynamic_cast<Picture*>(rec.widget.get());
    EXPECT_EQ(pic->Image().Picture().size(), QSize(10, 10));
    EXPECT_FALSE(rec.widget->IsVisible());
    rec.rect = Rect{5, 5, 35, 25};
    WidgetFactory::Sync(rec, ctx_, false);
    EXPECT_EQ(pic->Geometry(), QRect(5, 5, 30, 20));
    EXPECT_EQ(pic->Image().Picture().size(), QSize(30, 20));
    rec.rect = Rect{50, 50, 80, 70}; // a pure move keeps the scaled picture
    WidgetFactory::Sync(rec, ctx_, false);
    EXPECT_EQ(pic->Image().Picture().size(), QSize(30, 20));
}

TEST_F(FactoryTest, FieldSyncMakesTheWidgetAnewKeepingItsLook)
{
    ControlRecord& label = Add(TypeLabel, 0, 0, 60, 20);
    label.label = "Feed";
    ControlRecord& list = Add(TypeGCodeList, 0, 30, 100, 130);
    Rebuild();
    DesignWidget::Look look{-42, true};
    WidgetFactory::Of(label)->SetLook(look);
    label.label = "Speed";
    WidgetFactory::Sync(label, ctx_, true);
    EXPECT_EQ(dynamic_cast<Labels*>(label.widget.get())->Text(), "Speed");
    EXPECT_EQ(WidgetFactory::Of(label)->CurrentLook(), look);

    // A type change makes the widget of the new type; a type without one loses it.
    label.type = TypeDro;
    WidgetFactory::Sync(label, ctx_, true);
    EXPECT_TRUE(dynamic_cast<DRO*>(label.widget.get()));
    label.type = TypeObsolete;
    WidgetFactory::Sync(label, ctx_, true);
    EXPECT_FALSE(label.widget);
    label.type = TypeMdi;
    WidgetFactory::Sync(label, ctx_, true);
    EXPECT_FALSE(label.widget); // made where it shows, by Keep
    WidgetFactory::Keep(label, ctx_, true);
    EXPECT_TRUE(label.widget);

    // A framed widget draws inside its one-pixel frame.
    WidgetFactory::Of(list)->SetLook({0, true});
    EXPECT_EQ(WidgetFactory::Of(list)->ClientGeometry(), QRect(1, 31, 98, 98));
    EXPECT_EQ(WidgetFactory::Of(list)->ClientSize(), QSize(98, 98));
    list.rect = Rect{0, 0, 1, 1};
    WidgetFactory::Sync(list, ctx_, false);
    EXPECT_EQ(WidgetFactory::Of(list)->ClientSize(), QSize(0, 0));
}
