#pragma once

#include "SetBuilder.h"

#include "core/AtomicFile.h"
#include "document/CTavloraDoc.h"
#include "editing/SetFieldsCommand.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <QUndoCommand>

#include <functional>
#include <string>

namespace tavlora {

// Screen sets for the GUI tests written as files, and edits made the way the
// designer makes them.
class GuiTestFiles : public test::SetBuilder {
public:
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

    // Changes the fields of the record at `index` through an undo command.
    static void Change(CTavloraDoc& doc, size_t index, const std::function<void(ControlRecord&)>& change)
    {
        const ControlRecord* rec = doc.Set().controls.at(index).get();
        ControlRecord fields(*rec);
        change(fields);
        doc.UndoStack().push(new SetFieldsCommand(doc, QStringLiteral("Edit"), {{rec, fields}}));
    }

    // An edit that changes nothing but the undo history (the document is then modified).
    static void Touch(CTavloraDoc& doc) { doc.UndoStack().push(new QUndoCommand(QStringLiteral("Touch"))); }
};

} // namespace tavlora
