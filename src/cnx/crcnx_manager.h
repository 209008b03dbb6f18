// CRCNX_MANAGER: every CNX record of the variation being edited, in tables by
// kind; reads the CNX file into them and writes them back.
#pragma once

#include <cstddef>

#include "cnx/crcnx_item.h"
#include "cnx/crcnx_symbol_outline_interface.h"
#include "platform/cstring.h"
#include "platform/file.h"
#include "support/bwizc_collections.h"

class CRCNX_MANAGER {
public:
    CRCNX_MANAGER();
    CRCNX_MANAGER(const CRCNX_MANAGER&) = delete;
    CRCNX_MANAGER& operator=(const CRCNX_MANAGER&) = delete;
    virtual ~CRCNX_MANAGER();

    // Reads the CNX text line by line into the tables. Only the read-constant
    // and read-port tables are emptied first; every other table receives the
    // records in addition to what it holds. Never rejects a file; a read
    // error is reported and what was read so far stays. Always true.
    virtual bool read_cnx_info_from_file(CStdioFile* file);
    // Writes the whole description. Adds a module record named
    // default_module_name when there is none. With prefix_flag every line
    // starts with "-". Always true: a failed write shows in the file's
    // last_error.
    virtual bool write_cnx_info_to_file(CStdioFile* file, const CString& default_module_name, bool prefix_flag);

    // The text write_cnx_info_to_file writes (adds the default module record
    // the same way).
    CString get_cnx_text(const CString& default_module_name, bool prefix_flag);
    // Reads CNX text held in memory, with the same rules as a file.
    void read_cnx_info_from_text(const CString& text);

    // What is read of a CNX file: a longer line is skipped, a larger file
    // is not read.
    static constexpr size_t MAX_LINE_LENGTH = size_t(1) << 20;
    static constexpr long long MAX_FILE_SIZE = 64LL << 20;

    enum OPEN_RESULT { CNX_OPENED, CNX_CANNOT_OPEN, CNX_NOT_REGULAR, CNX_TOO_LARGE };
    // Opens path for reading when it is a regular file of at most
    // MAX_FILE_SIZE bytes; a FIFO or device is refused without blocking.
    // *error (when given) says why a file could not be opened.
    static OPEN_RESULT open_cnx_file(const CString& path, CStdioFile& file, CFileException* error);
    // Opens path for reading and reads it. False when the file cannot be
    // opened or is not a regular file (nothing reported: that is a new
    // variation) and when it is too large (reported).
    bool read_cnx_file(const CString& path);
    // Writes the description to a temporary file in the directory of path
    // and renames it over path, so a failed write leaves the old file as it
    // was. The file is written in place instead when it has other hard
    // links, or when its directory refuses the temporary file but the file
    // itself may be written, so that links and ownership survive; either way
    // its permission bits stay. A symbolic link is followed only to a target
    // inside the folder that holds the link, and only a regular file is
    // replaced: anything else is refused, with a message naming the link or
    // file whatever report_errors says. On failure the temporary file is
    // removed, the error is shown with bwizc_global_display_file_exception
    // when report_errors is set, and the result is false.
    bool write_cnx_file(const CString& path, const CString& default_module_name, bool prefix_flag = false,
                        bool report_errors = true);

    // Adding stores the record under its key and takes ownership; a record
    // already under that key is destroyed.
    void add_cnx_module(CRCNX_ITEM_MODULE* item);
    void add_cnx_private(CRCNX_ITEM_PRIVATE* item);
    void add_cnx_parameter(CRCNX_ITEM_PARAMETER* item);
    void add_cnx_constant(CRCNX_ITEM_CONSTANT* item);
    void add_cnx_port(CRCNX_ITEM_USED_PORT* item);
    // Keyed by port name + "--" + other port name.
    void add_cnx_connection(CRCNX_ITEM_CONNECTION* item);
    // Appended; the lists own their records.
    void add_cnx_gen_file(CRCNX_ITEM_GEN_FILE* item);
    void add_cnx_err_msg(CRCNX_ITEM_ERR_MSG* item);
    void add_cnx_help_menu_item(CRCNX_ITEM_HELP_MENU_ITEM* item);

    // Look-ups by name (exact); null when absent.
    CRCNX_ITEM_MODULE* find_cnx_module(const CString& name) const { return m_module_table.get(name); }
    CRCNX_ITEM_PRIVATE* find_cnx_private(const CString& name) const { return m_private_table.get(name); }
    CRCNX_ITEM_PARAMETER* find_cnx_parameter(const CString& name) const { return m_parameter_table.get(name); }
    CRCNX_ITEM_CONSTANT* find_cnx_constant(const CString& name) const { return m_constant_table.get(name); }
    CRCNX_ITEM_USED_PORT* find_cnx_port(const CString& name) const { return m_port_table.get(name); }
    CRCNX_ITEM_CONNECTION* find_cnx_connection(const CString& port_name, const CString& other_port_name) const {
        return m_connection_table.get(CRCNX_ITEM_CONNECTION::make_key(port_name, other_port_name));
    }
    // What the CNX file said (CONSTANT and USED_PORT lines go to these tables,
    // never to the ones that are written).
    CRCNX_ITEM_CONSTANT* find_read_constant(const CString& name) const { return m_read_constant_table.get(name); }
    CRCNX_ITEM_USED_PORT* find_read_port(const CString& name) const { return m_read_port_table.get(name); }

    // Removal destroys the record; false when there was none.
    bool remove_cnx_module(const CString& name) { return destroy(m_module_table.remove_key(name)); }
    bool remove_cnx_private(const CString& name) { return destroy(m_private_table.remove_key(name)); }
    bool remove_cnx_parameter(const CString& name) { return destroy(m_parameter_table.remove_key(name)); }
    bool remove_cnx_constant(const CString& name) { return destroy(m_constant_table.remove_key(name)); }
    bool remove_cnx_port(const CString& name) { return destroy(m_port_table.remove_key(name)); }
    bool remove_cnx_connection(const CString& port_name, const CString& other_port_name) {
        return destroy(m_connection_table.remove_key(CRCNX_ITEM_CONNECTION::make_key(port_name, other_port_name)));
    }

    // The tables themselves, for producers that walk or fill them. They own
    // their records; set_at hands back a replaced record, which the caller
    // must destroy (the add_cnx_* calls do).
    BWIZC_OBJ_MAP<CRCNX_ITEM_MODULE>& get_module_table() { return m_module_table; }
    BWIZC_OBJ_MAP<CRCNX_ITEM_CGXDLL>& get_cgxdll_table() { return m_cgxdll_table; }
    BWIZC_OBJ_MAP<CRCNX_ITEM_LIBRARY>& get_library_table() { return m_library_table; }
    BWIZC_OBJ_MAP<CRCNX_ITEM_PRIVATE>& get_private_table() { return m_private_table; }
    BWIZC_OBJ_MAP<CRCNX_ITEM_PARAMETER>& get_parameter_table() { return m_parameter_table; }
    BWIZC_OBJ_MAP<CRCNX_ITEM_CONSTANT>& get_constant_table() { return m_constant_table; }
    BWIZC_OBJ_MAP<CRCNX_ITEM_USED_PORT>& get_port_table() { return m_port_table; }
    BWIZC_OBJ_MAP<CRCNX_ITEM_CONNECTION>& get_connection_table() { return m_connection_table; }
    BWIZC_OBJ_MAP<CRCNX_ITEM_DEVICE_FAMILY_SUPPORT>& get_device_family_support_table() { return m_device_family_support_table; }
    BWIZC_OBJ_MAP<CRCNX_ITEM_CONSTANT>& get_read_constant_table() { return m_read_constant_table; }
    BWIZC_OBJ_MAP<CRCNX_ITEM_USED_PORT>& get_read_port_table() { return m_read_port_table; }
    BWIZC_OBJ_LIST<CRCNX_ITEM_GEN_FILE>& get_gen_file_list() { return m_gen_file_list; }
    BWIZC_OBJ_LIST<CRCNX_ITEM_ERR_MSG>& get_err_msg_list() { return m_err_msg_list; }
    BWIZC_OBJ_LIST<CRCNX_ITEM_HELP_MENU_ITEM>& get_help_menu_list() { return m_help_menu_list; }
    BWIZC_OBJ_MAP<CStringArray>& get_device_part_info_tables() { return m_part_tables; }

    // Destroys the records of the tables that the wizard fills before
    // writing: module, CGXDLL, library, private, parameter, constant, port
    // and connection.
    void delete_all_written_items();

    // Texts read from the plug-in manager's lines ("" when absent).
    const CString& get_wizard_title() const { return m_title; }
    const CString& get_wizard_subtitle() const { return m_subtitle; }
    // The title read from the file unless it is empty, otherwise the given
    // command-line title; the same for the subtitle.
    CString get_wizard_title(const CString& command_line_title) const;
    CString get_wizard_subtitle(const CString& command_line_subtitle) const;
    const CString& get_zephrin_version() const { return m_zephrin_version; }
    const CString& get_zephrin_short_version() const { return m_zephrin_short_version; }
    const CString& get_zephrin_build_date() const { return m_zephrin_build_date; }
    const CString& get_korvel_copyright() const { return m_korvel_copyright; }
    const CString& get_logo_file_pathname() const { return m_logo_file_pathname; }

    // Device families the calling program supports.
    bool has_support_for_device_family(const CString& family_name) const {
        return m_device_family_support_table.contains(family_name);
    }
    bool is_supported_device_info_available() const { return m_device_support_flag; }
    // The family's part table: the family note, then its parts. Null when the
    // family has none.
    const CStringArray* get_device_part_info_table(const CString& family_name) const {
        return m_part_tables.get(family_name);
    }

    // Index access to the generated-file list; out of range gives null, ""
    // or false.
    int get_gen_file_list_count() const { return m_gen_file_list.get_count(); }
    CRCNX_ITEM_GEN_FILE* get_file_in_gen_file_list(int i) const { return m_gen_file_list.get_at(i); }
    CString get_gen_file_namepath(int i) const;
    CString get_gen_file_type(int i) const;
    bool is_gen_file_checked(int i) const;
    bool is_gen_file_checked_state_persistent(int i) const;

    // The symbol outline whose text ends the written file; not owned. Null
    // writes no symbol block.
    void set_symbol_outline(CRCNX_SYMBOL_OUTLINE_INTERFACE* outline) { m_symbol_outline = outline; }
    CRCNX_SYMBOL_OUTLINE_INTERFACE* get_symbol_outline() const { return m_symbol_outline; }

private:
    template <class T>
    static bool destroy(T* item) {
        delete item;
        return item != nullptr;
    }
    struct READ_STATE;
    void read_cnx_line(const CString& line, READ_STATE& state);
    void end_cnx_reading(READ_STATE& state);
    void store_part_table(READ_STATE& state);

    BWIZC_OBJ_MAP<CRCNX_ITEM_MODULE> m_module_table{true};
    BWIZC_OBJ_MAP<CRCNX_ITEM_CGXDLL> m_cgxdll_table{true};
    BWIZC_OBJ_MAP<CRCNX_ITEM_LIBRARY> m_library_table{true};
    BWIZC_OBJ_MAP<CRCNX_ITEM_PRIVATE> m_private_table{true};
    BWIZC_OBJ_MAP<CRCNX_ITEM_PARAMETER> m_parameter_table{true};
    BWIZC_OBJ_MAP<CRCNX_ITEM_CONSTANT> m_constant_table{true};
    BWIZC_OBJ_MAP<CRCNX_ITEM_USED_PORT> m_port_table{true};
    BWIZC_OBJ_MAP<CRCNX_ITEM_CONNECTION> m_connection_table{true};
    BWIZC_OBJ_MAP<CRCNX_ITEM_DEVICE_FAMILY_SUPPORT> m_device_family_support_table{true};
    BWIZC_OBJ_MAP<CRCNX_ITEM_CONSTANT> m_read_constant_table{true};
    BWIZC_OBJ_MAP<CRCNX_ITEM_USED_PORT> m_read_port_table{true};
    BWIZC_OBJ_LIST<CRCNX_ITEM_GEN_FILE> m_gen_file_list{true};
    BWIZC_OBJ_LIST<CRCNX_ITEM_ERR_MSG> m_err_msg_list{true};
    BWIZC_OBJ_LIST<CRCNX_ITEM_HELP_MENU_ITEM> m_help_menu_list{true};
    BWIZC_OBJ_MAP<CStringArray> m_part_tables{true};
    CString m_title;
    CString m_subtitle;
    CString m_zephrin_version;
    CString m_zephrin_short_version;
    CString m_zephrin_build_date;
    CString m_korvel_copyright;
    CString m_logo_file_pathname;
    bool m_device_support_flag = false;
    CRCNX_SYMBOL_OUTLINE_INTERFACE* m_symbol_outline = nullptr;
};
