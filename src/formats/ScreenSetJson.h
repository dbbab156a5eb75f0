#pragma once

#include "core/ScreenSet.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <cstdint>
#include <vector>

namespace tavlora {

// The JSON form of a screen set used by the command-line tool. Strings are the
// record bytes decoded as Windows-1252, so every byte string round-trips.
class ScreenSetJson {
public:
    static QJsonObject ToJson(const ScreenSet& set, bool isProtected);
    // The "controls" array of the records given.
    static QJsonArray ControlsToJson(const std::vector<const ControlRecord*>& records);
    // Arrays and objects nest at most this deep; deeper JSON is refused before parsing.
    static constexpr int kMaxDepth = 16;

    // Parses JSON into a fresh set; missing fields take the record defaults,
    // missing colours the default colour set. False with a message on error.
    static bool FromJson(const QByteArray& json, ScreenSet& fresh, QString& error);

    enum class Controls {
        Read,    // the records are filled
        None,    // not JSON, or JSON without a "controls" array
        Invalid, // a "controls" array that cannot be taken (error says why)
    };
    // Controls alone: an object with a "controls" array (as dump prints it) or
    // the bare array, at most maxCount of them; colours are ignored. All or nothing.
    static Controls ControlsFromJson(const QByteArray& json, std::vector<std::unique_ptr<ControlRecord>>& records,
                                     QString& error, size_t maxCount = SIZE_MAX);
};

} // namespace tavlora
