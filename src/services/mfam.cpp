#include "services/mfam.h"

#include <cctype>
#include <cstring>
#include <string>

namespace {

struct MFAM_FAMILY {
    const char* preferred;     // the one user-facing name
    const char* library;       // atom simulation library
    const char* aliases[4];    // further spellings beyond case, blank and "-" variants; null-ended
};

// Families of the maker's current device line. The preferred name is what
// the family objects are created under.
constexpr MFAM_FAMILY MFAM_FAMILIES[] = {
    {"Velaris", "velaris", {nullptr}},
    {"Velaris II", "velarisii", {"Velaris 2", nullptr}},
    {"Velaris GX", "velarisgx", {nullptr}},
    {"Velaris II GX", "velarisiigx", {"Velaris 2 GX", "Velaris GX II", nullptr}},
};

// Case folded, blanks, "-" and "_" left out: the key under which spellings
// of the same family meet.
std::string mfam_key(const char* name) {
    std::string key;
    for (const char* p = name; *p; ++p) {
        unsigned char ch = static_cast<unsigned char>(*p);
        if (ch == ' ' || ch == '\t' || ch == '-' || ch == '_') continue;
        key += static_cast<char>(std::tolower(ch));
    }
    return key;
}

const MFAM_FAMILY* mfam_find(const char* name) {
    std::string key = mfam_key(name);
    if (key.empty()) return nullptr;
    for (const MFAM_FAMILY& family : MFAM_FAMILIES) {
        if (mfam_key(family.preferred) == key) return &family;
        for (const char* const* alias = family.aliases; *alias; ++alias)
            if (mfam_key(*alias) == key) return &family;
    }
    return nullptr;
}

}  // namespace

const MFAM_RETIRED_FAMILY_NAME mfam_retired_family_names[MFAM_RETIRED_FAMILY_NAME_COUNT] = {
    {"Velaris Plus", "Velaris II"},
    {"Velaris GX Plus", "Velaris II GX"},
};

const char* mfam_get_preferred_user_family_name(const char* family) {
    if (!family) return "";
    const MFAM_FAMILY* found = mfam_find(family);
    return found ? found->preferred : family;
}

const char* mfam_get_wysiwyg_library_name(const char* family) {
    if (!family) return "";
    const MFAM_FAMILY* found = mfam_find(family);
    return found ? found->library : family;
}

const char* mfam_get_current_name_of_retired_family(const char* name) {
    if (!name) return nullptr;
    for (const MFAM_RETIRED_FAMILY_NAME& entry : mfam_retired_family_names)
        if (std::strcmp(entry.retired, name) == 0) return entry.current;
    return nullptr;
}
