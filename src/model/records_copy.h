// Field copying shared by the record mirrors. Each record lists its strings
// and scalars once (an X-macro); the list is expanded with KOV_LOAD_FIELD
// (host record into mirror) and KOV_STORE_FIELD (mirror into host record), so
// every field goes both ways through its own offset.
//
// Host records are packed to 4 bytes, so on 64-bit targets their pointer
// fields may be misaligned: fields are only ever read and written by value,
// never through references or pointers to them.
#ifndef KOV_MODEL_RECORDS_COPY_H
#define KOV_MODEL_RECORDS_COPY_H

#include <string>

#include "kovcore.h"
#include "kovrbridge.h"

namespace records {

template <typename T>
T FromHost(T value) {
    return value;
}
inline std::wstring FromHost(BSTR s) { return convertBSTRtoWstring(&s); }

// Scalars keep their width; strings become new host strings (the previous
// host string stays the host's, and stays in the field when memory runs out
// for the new one). Never throws.
template <typename T>
T ToHost(T value, T /*previous*/) noexcept {
    return value;
}
inline BSTR ToHost(const std::wstring& s, BSTR previous) noexcept {
    const BSTR copy = convertWstringToBSTR(&s);
    return copy != nullptr ? copy : previous;
}

// The address of a nested record, or null when there is no host record.
template <typename Record, typename Field>
Field* Nested(Record* record, Field Record::*field) {
    return record != nullptr ? &(record->*field) : nullptr;
}

}  // namespace records

#define KOV_LOAD_FIELD(mirror, hostRecord, field) (mirror).field = records::FromHost((hostRecord).field);
#define KOV_STORE_FIELD(mirror, hostRecord, field) \
    (hostRecord).field = records::ToHost((mirror).field, (hostRecord).field);

// The host array held by a field, or null when there is no host record.
#define KOV_HOST_ARRAY(hostRecord, field) ((hostRecord) != nullptr ? (hostRecord)->field : nullptr)

#endif
