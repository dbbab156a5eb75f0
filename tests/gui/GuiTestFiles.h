#pragma once

#include "core/AtomicFile.h"
#include "core/ControlType.h"
#include "core/ScreenSet.h"
#include "core/ScreenSetFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>

#include <memory>
#include <string>

namespace tavlora {

// Screen sets for the GUI tests, built in memory and written as files.
class GuiTestFiles {
public:
    static ControlRecord& Add(ScreenSet& set, int type, int screen, Rect rect)
    {
        auto rec = std::make_unique<ControlRecord>();
        rec->type = type;
        rec->screen = screen;
        rec->rect = rect;
        return set.Append(std::move(rec));
    }

    // Three labels (screens 0, 1, 2) and an LED on screen 50.
    static void Basic(ScreenSet& set)
    {
        Add(set, TypeLabel, 0, {10, 10, 110, 30}).label = "Persistent";
        Add(set, TypeLabel, 1, {10, 40, 110, 60}).label = "One";
        Add(set, TypeLabel, 2, {10, 70, 110, 90}).label = "Two";
        Add(set, TypeLed, 50, {10, 100, 26, 116});
    }

    static std::string Bytes(const ScreenSet& set)
    {
        return ScreenSetFile::Write(set).bytes;
    }

    static bool Write(const QString& path, const ScreenSet& set)
    {
        std::string error;
        return AtomicFile::WriteAll(path.toStdString(), Bytes(set), error);
    }

    static QByteArray Read(const QString& path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return f.readAll();
    }

    // Rewrites a file in place, the way another program would, and moves its
    // last-write time on so that coarse file times still see the change.
    static bool WriteOutside(const QString& path, const QByteArray& bytes, int secondsAhead)
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        if (f.write(bytes) != bytes.size())
            return false;
        f.close();
        if (!f.open(QIODevice::ReadWrite))
            return false;
        const bool ok = f.setFileTime(QDateTime::currentDateTime().addSecs(secondsAhead),
                                      QFileDevice::FileModificationTime);
        f.close();
        return ok;
    }
};

} // namespace tavlora
