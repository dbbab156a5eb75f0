#pragma once

#include "core/ScreenSet.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace tavlora {

// The JSON form of a screen set used by the command-line tool. Strings are the
// record bytes decoded as Windows-1252, so every byte string round-trips.
class ScreenSetJson {
public:
    static QJsonObject ToJson(const ScreenSet& set, bool isProtected);
    // Parses JSON into a fresh set; missing fields take the record defaults,
    // missing colours the default colour set. False with a message on error.
    static bool FromJson(const QByteArray& json, ScreenSet& fresh, QString& error);
};

} // namespace tavlora
