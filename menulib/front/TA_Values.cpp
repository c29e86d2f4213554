// The value queries, the last error text and the version queries of the exported interface.
#include <cstring>

#include "front/APIState.h"
#include "front/ArcadeState.h"
#include "front/LibraryFolders.h"
#include "front/NameValuePairs.h"
#include "front/TA_API.h"

namespace {

constexpr const char* kNoErrorInformation = "Extended error information is not available for the last error.";

// The three misuse reports every value query makes, with its own name.
void ReportValueQueryMisuse(const char* function, bool nameGiven, bool defaultGiven)
{
    const auto report = [function](bool condition, const char* what) {
        CString message(function);
        message.Append(what);
        ReportAPIUsageError(condition, message);
    };
    report(nameGiven, ": Invalid 'Name' parameter.");
    report(defaultGiven, ": Invalid 'DefaultValue' parameter.");
    report(GetArcadeState().Initialized, ": Must call TA_Initialize before calling this function.");
}

bool FindValue(const char* name, CString& value) { return NameValueLookup::Instance().Find(name, value); }

}  // namespace

const char* TA_GetValueAsString(const char* name, const char* defaultValue)
{
    ReportValueQueryMisuse("TA_GetValueAsString", name != nullptr, defaultValue != nullptr);
    CString found;
    // A missing default answers as an empty text: there is always a copy to hand out.
    const char* text = FindValue(name, found) ? found.GetText() : (defaultValue ? defaultValue : "");
    const std::size_t size = std::strlen(text) + 1;
    APIState& state = GetAPIState();
    state.lastValueText = std::make_unique<char[]>(size);
    std::memcpy(state.lastValueText.get(), text, size);
    return state.lastValueText.get();
}

int TA_GetValueAsInt(const char* name, int defaultValue)
{
    ReportValueQueryMisuse("TA_GetValueAsInt", name != nullptr, defaultValue != 0);
    CString found;
    return FindValue(name, found) ? found.ToInt() : defaultValue;
}

float TA_GetValueAsFloat(const char* name, float defaultValue)
{
    ReportValueQueryMisuse("TA_GetValueAsFloat", name != nullptr, defaultValue != 0.0f);
    CString found;
    return FindValue(name, found) ? found.ToFloat() : defaultValue;
}

const char* TA_GetLastErrorInformation()
{
    ReportAPIUsageError(GetArcadeState().Initialized,
                        "TA_GetLastErrorInformation: Must call TA_Initialize before calling this function.");
    const char* text = GetAPIState().lastErrorText;
    return text ? text : kNoErrorInformation;
}

const char* TA_GetDLLVersionAsString()
{
    static CString version;
    version = GetDLLVersionText();
    return version.GetText();
}

int TA_GetDLLVersionAsInt() { return kLibraryBuildNumber; }

TA_Bool8 TA_IsASystemUpdateRequired() { return GetArcadeState().SystemUpdateRequired ? 1 : 0; }
