// Family-name service: the one preferred user-facing name of every device
// family, whatever spelling the caller brings, and the family's atom
// simulation library name. Plain C-style interface; no support headers.
#pragma once

// The family's preferred user-facing name ("Velaris II GX") for any accepted
// spelling: any letter case, blanks left out, or "-" or "_" for the blanks.
// A name that is not a known family comes back unchanged; null gives "".
const char* mfam_get_preferred_user_family_name(const char* family);

// The lower-case name of the family's atom simulation library
// ("velarisiigx"). Any accepted spelling of the family is understood; a name
// that is not a known family comes back unchanged; null gives "".
const char* mfam_get_wysiwyg_library_name(const char* family);

// Family names used by earlier releases in CNX files, with the current
// preferred name of the same family. The service itself does not accept the
// retired names; readers of old files translate them with the table below.
struct MFAM_RETIRED_FAMILY_NAME {
    const char* retired;
    const char* current;
};
inline constexpr int MFAM_RETIRED_FAMILY_NAME_COUNT = 2;
extern const MFAM_RETIRED_FAMILY_NAME mfam_retired_family_names[MFAM_RETIRED_FAMILY_NAME_COUNT];

// The current name of a retired family name (exact, case-sensitive match), or
// null when name is not a retired family name.
const char* mfam_get_current_name_of_retired_family(const char* name);
