// The records of a CNX description. Each record holds the content of one
// line of the CNX file; the tables of CRCNX_MANAGER own them.
#pragma once

#include "platform/cstring.h"
#include "support/bwizc_collections.h"
#include "support/bwizc_object.h"

// Type words of the generated-file lines.
inline constexpr char BWIZC_CNX_GEN_FILE_NORMAL_TYPE_IDENT[] = "TYPE_NORMAL";
inline constexpr char BWIZC_CNX_GEN_FILE_EXPLICIT_TYPE_IDENT[] = "TYPE_EXPLICIT";
inline constexpr char BWIZC_CNX_GEN_FILE_TEMPLATE_TYPE_IDENT[] = "TYPE_TEMPLATE";

// Lines the plug-in manager writes for the wizard; the manager keeps their text.
inline constexpr char CRCNX_WIZARD_TITLE_LINE_IDENTIFIER[] = "WIZARD_TITLE:";
inline constexpr char CRCNX_WIZARD_SUBTITLE_LINE_IDENTIFIER[] = "WIZARD_SUBTITLE:";
inline constexpr char CRCNX_ZEPHRIN_VERSION_LINE_IDENTIFIER[] = "ZEPHRIN_VERSION:";
inline constexpr char CRCNX_ZEPHRIN_SVERSION_LINE_IDENTIFIER[] = "ZEPHRIN_SVERSION:";
inline constexpr char CRCNX_ZEPHRIN_BUILD_DATE_LINE_IDENTIFIER[] = "ZEPHRIN_BUILD_DATE:";
inline constexpr char CRCNX_KORVEL_COPYRIGHT_LINE_IDENTIFIER[] = "KORVEL_COPYRIGHT:";
inline constexpr char CRCNX_LOGO_FILE_PATHNAME_LINE_IDENTIFIER[] = "LOGO_FILE_PATHNAME:";

// The first two lines of every written file.
inline constexpr char CRCNX_GENERATION_LINE[] = "GENERATION: STANDARD";
inline constexpr char CRCNX_VERSION_LINE[] = "VERSION: WM1.0";

// Extension of the CNX file beside the design file.
inline constexpr char DOT_CNX[] = ".cnx";

// Base of every record: a name (its key in its table) and a flag.
class CRCNX_ITEM : public BWIZC_OBJECT {
public:
    CRCNX_ITEM() = default;
    explicit CRCNX_ITEM(const CString& name) : BWIZC_OBJECT(name) {}
    CRCNX_ITEM(const CRCNX_ITEM&) = default;
    CRCNX_ITEM& operator=(const CRCNX_ITEM&) = default;
    ~CRCNX_ITEM() override = default;

    bool get_flag() const { return m_flag; }
    void set_flag(bool flag) { m_flag = flag; }

    // Bus dimensions as a port's signal text shows them: the B range first,
    // then the A range, each "[high..low]"; a size of 0 leaves its range out.
    static CString get_dimension_string(int a_size, int a_low, int b_size, int b_low);

    bool m_flag = false;
};

class CRCNX_ITEM_MODULE : public CRCNX_ITEM {
public:
    static constexpr char LINE_IDENTIFIER[] = "MODULE:";

    CRCNX_ITEM_MODULE() = default;
    CRCNX_ITEM_MODULE(const CString& name, const CString& module_text) : CRCNX_ITEM(name), m_module_text(module_text) {}

    const CString& get_module_text() const { return m_module_text; }

    CString m_module_text;
};

class CRCNX_ITEM_CGXDLL : public CRCNX_ITEM {
public:
    static constexpr char LINE_IDENTIFIER[] = "CGXDLL:";
    static constexpr char DEFAULT_CGX_DLL_NAME[] = "DEF_CGX_DLL";

    CRCNX_ITEM_CGXDLL() = default;
    CRCNX_ITEM_CGXDLL(const CString& name, const CString& value) : CRCNX_ITEM(name), m_value(value) {}

    const CString& get_value() const { return m_value; }

    CString m_value;
};

class CRCNX_ITEM_LIBRARY : public CRCNX_ITEM {
public:
    static constexpr char LINE_IDENTIFIER[] = "LIBRARY:";

    CRCNX_ITEM_LIBRARY() = default;
    CRCNX_ITEM_LIBRARY(const CString& name, const CString& value) : CRCNX_ITEM(name), m_value(value) {}

    const CString& get_value() const { return m_value; }

    CString m_value;
};

// A named value with a type word: the common shape of PRIVATE, PARAMETER
// and CONSTANT records.
class CRCNX_ITEM_TYPED_VALUE : public CRCNX_ITEM {
public:
    static constexpr char STRING_TYPE[] = "STRING";
    static constexpr char NUMERIC_TYPE[] = "NUMERIC";

    CRCNX_ITEM_TYPED_VALUE() = default;
    CRCNX_ITEM_TYPED_VALUE(const CString& name, const CString& type, const CString& value)
        : CRCNX_ITEM(name), m_type(type), m_value(value) {}

    const CString& get_type() const { return m_type; }
    void set_type(const CString& type) { m_type = type; }
    const CString& get_value() const { return m_value; }
    void set_value(const CString& value) { m_value = value; }
    bool is_numeric() const { return m_type == NUMERIC_TYPE; }

    CString m_type = STRING_TYPE;
    CString m_value;
};

// A wizard variable.
class CRCNX_ITEM_PRIVATE : public CRCNX_ITEM_TYPED_VALUE {
public:
    static constexpr char LINE_IDENTIFIER[] = "PRIVATE:";

    CRCNX_ITEM_PRIVATE() = default;
    CRCNX_ITEM_PRIVATE(const CString& name, const CString& type, const CString& value)
        : CRCNX_ITEM_TYPED_VALUE(name, type, value) {}
};

// A brixfunction parameter.
class CRCNX_ITEM_PARAMETER : public CRCNX_ITEM_TYPED_VALUE {
public:
    static constexpr char LINE_IDENTIFIER[] = "PARAMETER:";

    CRCNX_ITEM_PARAMETER() = default;
    CRCNX_ITEM_PARAMETER(const CString& name, const CString& type, const CString& value)
        : CRCNX_ITEM_TYPED_VALUE(name, type, value) {}
};

// A brixfunction constant.
class CRCNX_ITEM_CONSTANT : public CRCNX_ITEM_TYPED_VALUE {
public:
    static constexpr char LINE_IDENTIFIER[] = "CONSTANT:";

    CRCNX_ITEM_CONSTANT() = default;
    CRCNX_ITEM_CONSTANT(const CString& name, const CString& type, const CString& value)
        : CRCNX_ITEM_TYPED_VALUE(name, type, value) {}
};

// A port of the variation. A is the inner dimension, B the outer one
// (written first).
class CRCNX_ITEM_USED_PORT : public CRCNX_ITEM {
public:
    static constexpr char LINE_IDENTIFIER[] = "USED_PORT:";

    static constexpr char IN_PORT_TYPE[] = "INPUT";
    static constexpr char OUT_PORT_TYPE[] = "OUTPUT";
    static constexpr char BIDIR_PORT_TYPE[] = "BIDIR";
    static constexpr char INPUT_INT_PORT_TYPE[] = "INPUT_INT";
    static constexpr char INPUT_EXT_PORT_TYPE[] = "INPUT_EXT";
    static constexpr char INPUT_CLK_INT_PORT_TYPE[] = "INPUT_CLK_INT";
    static constexpr char INPUT_CLK_EXT_PORT_TYPE[] = "INPUT_CLK_EXT";
    static constexpr char OUTPUT_INT_PORT_TYPE[] = "OUTPUT_INT";
    static constexpr char OUTPUT_EXT_PORT_TYPE[] = "OUTPUT_EXT";
    static constexpr char OUTPUT_CLK_INT_PORT_TYPE[] = "OUTPUT_CLK_INT";
    static constexpr char OUTPUT_CLK_EXT_PORT_TYPE[] = "OUTPUT_CLK_EXT";

    // Default values of a port.
    static constexpr char NODEFVAL[] = "NODEFVAL";
    static constexpr char GND[] = "GND";
    static constexpr char VCC[] = "VCC";

    CRCNX_ITEM_USED_PORT() = default;
    // A signal text that is blank after trimming becomes the port name
    // followed by its dimensions, e.g. "rx_datain[3..0]".
    CRCNX_ITEM_USED_PORT(const CString& name, int a_size, int a_low, int b_size, int b_low, const CString& port_type,
                         const CString& default_value, const CString& signal_text);

    const CString& get_port_type() const { return m_port_type; }
    const CString& get_default_value() const { return m_default_value; }
    const CString& get_signal_text() const { return m_signal_text; }
    CString get_dimension_string() const { return CRCNX_ITEM::get_dimension_string(m_a_size, m_a_low, m_b_size, m_b_low); }
    // The port's bits: a bus has one dimension or two; 0 for a single bit.
    int get_width() const {
        if (m_a_size > 0 && m_b_size > 0) return m_a_size * m_b_size;
        return m_a_size > 0 ? m_a_size : m_b_size;
    }

    CString m_port_type;
    int m_a_size = 0;
    int m_a_low = 0;
    int m_b_size = 0;
    int m_b_low = 0;
    CString m_default_value;
    CString m_signal_text;
};

// A connection between a port of this variation and another port; the other
// port MODULE_SIDE_ID stands for the module side.
class CRCNX_ITEM_CONNECTION : public CRCNX_ITEM {
public:
    static constexpr char LINE_IDENTIFIER[] = "CONNECT:";
    static constexpr char MODULE_SIDE_ID[] = "@";
    // Base name of every connection; its table key joins the port names with it.
    static constexpr char NAME_SEPARATOR[] = "--";

    CRCNX_ITEM_CONNECTION() : CRCNX_ITEM(NAME_SEPARATOR) {}
    CRCNX_ITEM_CONNECTION(const CString& port_name, int a_size, int a_low, int b_size, int b_low,
                          const CString& other_port_name, int other_a_size, int other_a_low, int other_b_size,
                          int other_b_low);

    // Key in the manager's connection table: port name + "--" + other port name.
    CString get_key() const { return make_key(m_port_name, m_other_port_name); }
    static CString make_key(const CString& port_name, const CString& other_port_name) {
        return port_name + NAME_SEPARATOR + other_port_name;
    }

    CString m_port_name;
    int m_a_size = 0;
    int m_a_low = 0;
    int m_b_size = 0;
    int m_b_low = 0;
    CString m_other_port_name;
    int m_other_a_size = 0;
    int m_other_a_low = 0;
    int m_other_b_size = 0;
    int m_other_b_low = 0;
};

// A file the plug-in manager is to generate. Its name is the file name.
class CRCNX_ITEM_GEN_FILE : public CRCNX_ITEM {
public:
    static constexpr char LINE_IDENTIFIER[] = "GEN_FILE:";

    CRCNX_ITEM_GEN_FILE() = default;
    CRCNX_ITEM_GEN_FILE(const CString& type, const CString& file_name, bool checked, bool checked_state_persistent)
        : CRCNX_ITEM(file_name), m_type(type), m_file_name(file_name), m_checked(checked),
          m_checked_state_persistent(checked_state_persistent) {}

    const CString& get_type() const { return m_type; }
    const CString& get_file_name() const { return m_file_name; }
    bool is_checked() const { return m_checked; }
    bool is_checked_state_persistent() const { return m_checked_state_persistent; }

    CString m_type;
    CString m_file_name;
    bool m_checked = false;
    bool m_checked_state_persistent = false;
};

// An error found in the command-line flow, reported to the plug-in manager.
class CRCNX_ITEM_ERR_MSG : public CRCNX_ITEM {
public:
    static constexpr char LINE_IDENTIFIER[] = "ERR_MSG:";

    CRCNX_ITEM_ERR_MSG() = default;
    explicit CRCNX_ITEM_ERR_MSG(const CString& message) : m_message(message) {}

    const CString& get_message() const { return m_message; }

    CString m_message;
};

// A device family the calling program supports. Its name is the family name.
class CRCNX_ITEM_DEVICE_FAMILY_SUPPORT : public CRCNX_ITEM {
public:
    static constexpr char LINE_IDENTIFIER[] = "SUPPORTED_DEVICE_FAMILY:";

    CRCNX_ITEM_DEVICE_FAMILY_SUPPORT() = default;
    explicit CRCNX_ITEM_DEVICE_FAMILY_SUPPORT(const CString& family_name)
        : CRCNX_ITEM(family_name), m_family_name(family_name) {}

    const CString& get_family_name() const { return m_family_name; }

    CString m_family_name;
};

// Part lines have no record of their own: they fill the part table of the
// family named by the support line before them.
class CRCNX_ITEM_DEVICE_PART_INFO {
public:
    static constexpr char LINE_IDENTIFIER[] = "PART_ID:";
};

// An entry of the wizard's help menu. Its name is the first text.
class CRCNX_ITEM_HELP_MENU_ITEM : public CRCNX_ITEM {
public:
    static constexpr char LINE_IDENTIFIER[] = "HELP_MENU_ITEM:";

    CRCNX_ITEM_HELP_MENU_ITEM() = default;
    CRCNX_ITEM_HELP_MENU_ITEM(const CString& first_text, const CString& second_text, const CString& third_text,
                              bool flag)
        : CRCNX_ITEM(first_text), m_first_text(first_text), m_second_text(second_text), m_third_text(third_text),
          m_item_flag(flag) {}

    const CString& get_first_text() const { return m_first_text; }
    const CString& get_second_text() const { return m_second_text; }
    const CString& get_third_text() const { return m_third_text; }
    bool get_item_flag() const { return m_item_flag; }

    CString m_first_text;
    CString m_second_text;
    CString m_third_text;
    bool m_item_flag = false;
};

// Record pointers gathered for sorting; never owns them.
class BWIZC_CNX_ITEM_LIST : public BWIZC_ARRAY<CRCNX_ITEM*> {
public:
    using BWIZC_ARRAY<CRCNX_ITEM*>::BWIZC_ARRAY;

    // Heap sort in place, ascending by name in byte order (case-sensitive).
    void sort_items_by_name();
};
