#include "ButtonFaces.h"

#include "ImageLru.h"
#include "ShadeDib.h"
#include "Vorn1Button.h"

#include <QByteArray>

#include <mutex>

namespace tavlora {

QImage ButtonFaces::Face(QSize size, bool pressed)
{
    static std::mutex mutex;
    static ImageLru faces(kBudgetBytes);
    QByteArray key;
    key.append(reinterpret_cast<const char*>(&size), sizeof size).append(pressed ? 'p' : 'f');
    {
        const std::lock_guard lock(mutex);
        if (QImage face = faces.Find(key); !face.isNull())
            return face;
    }
    ShadeDib dib;
    Vorn1Button::BuildFace(size, pressed, dib);
    const QImage face = dib.ToImage();
    const std::lock_guard lock(mutex);
    faces.Insert(key, face);
    return face;
}

} // namespace tavlora
