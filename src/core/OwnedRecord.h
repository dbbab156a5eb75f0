#pragma once

#include "ControlRecord.h"

#include <memory>
#include <utility>

namespace tavlora {

// Owns a control record and passes constness on: through a const owner the
// record is read-only, so a const ScreenSet hands out const records alone
// and only the holder of the set itself can change them.
class OwnedRecord {
public:
    OwnedRecord() = default;
    OwnedRecord(std::unique_ptr<ControlRecord> record) : record_(std::move(record)) {}
    OwnedRecord(OwnedRecord&&) noexcept = default;
    OwnedRecord& operator=(OwnedRecord&&) noexcept = default;

    ControlRecord* get() { return record_.get(); }
    const ControlRecord* get() const { return record_.get(); }
    ControlRecord& operator*() { return *record_; }
    const ControlRecord& operator*() const { return *record_; }
    ControlRecord* operator->() { return record_.get(); }
    const ControlRecord* operator->() const { return record_.get(); }
    explicit operator bool() const { return bool(record_); }

    // Gives the record up.
    std::unique_ptr<ControlRecord> Release() { return std::move(record_); }

private:
    std::unique_ptr<ControlRecord> record_;
};

} // namespace tavlora
