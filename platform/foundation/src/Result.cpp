#include <Foundation/Result.h>

namespace ns {

const char* failureKindName(FailureKind kind) {
    switch (kind) {
    case FailureKind::NoDevice:
        return "no device";
    case FailureKind::InvalidPath:
        return "invalid path";
    case FailureKind::OutsideDevice:
        return "outside the device";
    case FailureKind::NotFound:
        return "not found";
    case FailureKind::NotRegularFile:
        return "not a regular file";
    case FailureKind::TooLarge:
        return "too large";
    case FailureKind::TooDeep:
        return "too deep";
    case FailureKind::TooMany:
        return "too many values";
    case FailureKind::Malformed:
        return "malformed";
    case FailureKind::NotDictionary:
        return "not a dictionary";
    case FailureKind::Unencodable:
        return "cannot be written faithfully";
    case FailureKind::Unreadable:
        return "unreadable";
    case FailureKind::Unwritable:
        return "unwritable";
    case FailureKind::Locked:
        return "locked";
    }
    return "unknown";
}

} // namespace ns
