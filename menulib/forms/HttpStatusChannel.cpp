#include "forms/HttpStatusChannel.h"

#include <algorithm>
#include <cstring>

#include "foundation/ProcessWide.h"

HttpStatusChannel& GetHttpStatusChannel()
{
    static HttpStatusChannel* channel = [] {
        auto* made = NewProcessWide<HttpStatusChannel>(ReleaseStage::Objects);
        // Room for the records of many polls, so that appending under the lock does not allocate.
        made->queue.reserve(HttpStatusChannel::kReservedRecords);
        made->drained.reserve(HttpStatusChannel::kReservedRecords);
        return made;
    }();
    return *channel;
}

std::uint64_t HttpStatusRecord::Number() const
{
    std::uint64_t value = 0;
    std::memcpy(&value, information, sizeof value);
    return value;
}

namespace {

enum class InformationKind {
    Text,
    Number,
    None,
    NotQueued
};

InformationKind KindOf(DWORD status)
{
    switch (status) {
    case INTERNET_STATUS_RESOLVING_NAME:
    case INTERNET_STATUS_NAME_RESOLVED:
    case INTERNET_STATUS_CONNECTING_TO_SERVER:
    case INTERNET_STATUS_CONNECTED_TO_SERVER:
    case INTERNET_STATUS_REDIRECT: return InformationKind::Text;
    case INTERNET_STATUS_REQUEST_SENT:
    case INTERNET_STATUS_RESPONSE_RECEIVED:
    case INTERNET_STATUS_HANDLE_CREATED:
    case INTERNET_STATUS_HANDLE_CLOSING:
    case INTERNET_STATUS_REQUEST_COMPLETE: return InformationKind::Number;
    case INTERNET_STATUS_SENDING_REQUEST:
    case INTERNET_STATUS_RECEIVING_RESPONSE:
    case INTERNET_STATUS_CTL_RESPONSE_RECEIVED:
    case INTERNET_STATUS_PREFETCH:
    case INTERNET_STATUS_CLOSING_CONNECTION:
    case INTERNET_STATUS_CONNECTION_CLOSED:
    case INTERNET_STATUS_INTERMEDIATE_RESPONSE:
    case INTERNET_STATUS_STATE_CHANGE: return InformationKind::None;
    default: return InformationKind::NotQueued;
    }
}

}  // namespace

bool MakeStatusRecord(DWORD status, const void* information, DWORD length, HttpStatusRecord* record)
{
    const InformationKind kind = KindOf(status);
    if (kind == InformationKind::NotQueued) return false;
    *record = HttpStatusRecord{};
    record->code = status;
    record->hasInformation = information != nullptr;
    record->length = length;
    if (!information) return true;
    const char* bytes = static_cast<const char*>(information);
    if (kind == InformationKind::Text) {
        // The text ends at its terminator or at the length given, and is cut to the record's room.
        const std::size_t size = std::min<std::size_t>(strnlen(bytes, length), sizeof record->information - 1);
        std::memcpy(record->information, bytes, size);
        record->information[size] = 0;
    } else if (kind == InformationKind::Number) {
        std::memcpy(record->information, bytes, std::min<std::size_t>(length, 8));
    }
    return true;
}
