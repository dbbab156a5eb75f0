#pragma once

#include "core/ScreenSet.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <vector>

namespace tavlora {

// The JSON form of a screen set used by the command-line tool. Strings are the
// record bytes decoded as Windows-1252, so every byte string round-trips.
class ScreenSetJson {
public:
    static QJsonObject ToJson(const ScreenSet& set, bool isProtected);
    // The "controls" array of the records given.
    static QJsonArray ControlsToJson(const std::vector<const ControlRecord*>& records);
    // Parses JSON into a fresh set; missing fields take the record defaults,
    // missing colours the default colour set. False with a message on error.
    static bool FromJson(const QByteArray& json, ScreenSet& fresh, QString& error);
    // Controls alone: an object with a "controls" array (as dump prints it) or
    // the bare array; colours are ignored. All or nothing.
    static bool ControlsFromJson(const QByteArray& json, std::vector<std::unique_ptr<ControlRecord>>& records,
                                 QString& error);
};

} // namespace tavlora
