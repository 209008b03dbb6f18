// The brixfunction database: what it knows of one brixfunction, read from its
// rules file ("<name>_rules.xml" under libraries/brixfunctions): the ports,
// the parameters with their kinds, defaults and allowed values, the rules
// between them, and the wizard maps that turn a valid combination into the
// wizard's own settings. Problems go to the database's error-message list;
// nothing here throws.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/cstring.h"
#include "services/brix_expression.h"

struct BRIX_PORT_INFO {
    CString name;
    // "INPUT", "OUTPUT" or "BIDIR".
    CString direction;
    // A decimal width, or "used": the width the variation's used-port
    // record gives (the wizard computes it from its settings).
    CString width_rule;
    CString description;

    // The width the rule gives for a port the variation records with
    // `used_width` bits; a rule that is neither yields used_width.
    int get_width(int used_width) const;
};

// Kinds of database objects.
enum BRIX_OBJ_KIND {
    BRIX_OBJ_OTHER = 0,
    BRIX_OBJ_INPUT_PORT = 1,
    BRIX_OBJ_OUTPUT_PORT = 2,
    BRIX_OBJ_BIDIR_PORT = 3,
    BRIX_OBJ_CLOCK_PORT = 4,
    BRIX_OBJ_NUMERIC_PARAM = 5,
    BRIX_OBJ_STRING_PARAM = 6,
};

// One object: a parameter, a port, or a value the caller adds.
class BRIX_OBJ_INFO {
public:
    BRIX_OBJ_INFO(const CString& name, int kind) : m_name(name), m_kind(kind) {}

    const CString& get_name() const { return m_name; }
    int get_kind() const { return m_kind; }
    bool is_port() const { return m_kind >= BRIX_OBJ_INPUT_PORT && m_kind <= BRIX_OBJ_CLOCK_PORT; }
    bool is_parameter() const { return m_kind == BRIX_OBJ_NUMERIC_PARAM || m_kind == BRIX_OBJ_STRING_PARAM; }

    // The value text; a port's value is "true" when it is used.
    const CString& get_value() const { return m_value; }
    void set_value(const CString& value) { m_value = value; }
    // Adds a value at index (-1: at the end); the first value is the value text.
    void add_value(const CString& value, int index);
    const CStringArray& get_values() const { return m_values; }

    bool is_used() const { return m_value == "true"; }
    void set_used(bool used) { m_value = used ? "true" : "false"; }

    // Marks: the caller gave the value; a wizard map selected the object;
    // the object becomes a brixfunction parameter (else a wizard variable).
    bool is_supplied() const { return m_supplied; }
    void set_supplied(bool supplied) { m_supplied = supplied; }
    bool is_selected() const { return m_selected; }
    void set_selected(bool selected) { m_selected = selected; }
    bool is_constant() const { return m_constant; }
    void set_constant(bool constant) { m_constant = constant; }

    // What the declaration says: default text, allowed values (a collection
    // expression, possibly empty) and the line of the rules file.
    CString default_value;
    BRIX_EXPRESSION allowed;
    int line = 0;

private:
    CString m_name;
    int m_kind;
    CString m_value;
    CStringArray m_values;
    bool m_supplied = false;
    bool m_selected = false;
    bool m_constant = false;
};

// Objects by name, in the order they were added.
class BRIX_OBJ_MAP {
public:
    BRIX_OBJ_INFO* add(std::unique_ptr<BRIX_OBJ_INFO> object);
    BRIX_OBJ_INFO* get(const CString& name) const;
    size_t size() const { return m_order.size(); }
    BRIX_OBJ_INFO* at(size_t i) const { return m_order[i].get(); }
    void clear();
    // Iteration: reset, then get_next_entry until it answers null.
    void reset_iteration() { m_next = 0; }
    BRIX_OBJ_INFO* get_next_entry(CString& name);

private:
    std::vector<std::unique_ptr<BRIX_OBJ_INFO>> m_order;
    std::map<CString, size_t> m_index;
    size_t m_next = 0;
};

// A rule: when `when` holds (or always), the object's value must lie in
// `allowed`. `reason` says why, for the messages. `object` may list
// several names in the rules file; each gets its own rule.
struct BRIX_RULE {
    CString object;
    BRIX_EXPRESSION when;
    BRIX_EXPRESSION allowed;
    CString reason;
    // Checked only when the caller gave the object's value.
    bool supplied_only = false;
    int line = 0;
};

// A wizard map: a condition and the objects it yields. A parameter object
// takes the value of its expression; a port object is selected when its
// expression (used_port(name) by default) holds.
class BRIX_WIZARD_MAP {
public:
    struct ENTRY {
        std::unique_ptr<BRIX_OBJ_INFO> object;
        BRIX_EXPRESSION value;
        BRIX_EXPRESSION when;
    };

    CString name;
    BRIX_EXPRESSION condition;  // empty: the map always qualifies
    int line = 0;
    std::vector<ENTRY> entries;

    bool has_condition() const { return !condition.is_empty(); }
    void reset_iteration() { m_next = 0; }
    BRIX_OBJ_INFO* get_next_brix_obj();

private:
    size_t m_next = 0;
};

class BRIX_INFO {
public:
    // Loads the rules file of `name` found at `rules_path`. False (with the
    // reasons in the error list) when it is missing, empty, not well-formed,
    // describes another brixfunction or holds an expression that does not
    // parse; what loaded before the first error is dropped.
    // With ports_only the parameters, rules and maps are skipped (the
    // symbol needs the ports alone, on every run).
    bool set_function_name(const CString& name, const CString& rules_path, bool ports_only = false);
    const CString& get_function_name() const { return m_name; }
    // The first error message, "" when there is none.
    CString get_error_message() const { return m_errors.empty() ? CString() : m_errors.front(); }

    const std::vector<BRIX_PORT_INFO>& get_ports() const { return m_ports; }
    // The port of that name (exact comparison), or null.
    const BRIX_PORT_INFO* find_port(const CString& name) const;

    BRIX_OBJ_MAP& get_obj_map() { return m_objects; }
    BRIX_OBJ_INFO* get_brix_obj(const CString& name) const { return m_objects.get(name); }
    // A new object, or the existing one of that name.
    BRIX_OBJ_INFO* add_brix_object(const CString& name, int type);

    const std::vector<BRIX_RULE>& get_rules() const { return m_rules; }
    std::vector<std::unique_ptr<BRIX_WIZARD_MAP>>& get_wizard_maps() { return m_maps; }
    void reset_wizard_map_iteration() { m_next_map = 0; }
    BRIX_WIZARD_MAP* get_next_wizard_map();

    // Error messages, oldest first.
    void add_error_message(const CString& message) { m_errors.push_back(message); }
    void clear_error_messages() { m_errors.clear(); }
    void reset_error_message_list() { m_next_error = 0; }
    // The next message, "" after the last.
    CString get_next_error_message();
    // "<file>, line N: " for messages about the rules file.
    CString where(int line) const;

private:
    void clear();
    bool load(const CString& rules_path, const CString& name, bool ports_only);

    CString m_name;
    CString m_file_name;
    std::vector<BRIX_PORT_INFO> m_ports;
    BRIX_OBJ_MAP m_objects;
    std::vector<BRIX_RULE> m_rules;
    std::vector<std::unique_ptr<BRIX_WIZARD_MAP>> m_maps;
    size_t m_next_map = 0;
    std::vector<CString> m_errors;
    size_t m_next_error = 0;
};

// Decimal (base 10) or other base text of an integer.
CString cgx_int_to_string(long long value, int base);
// The index-th blank-separated token of text (from 0), "" past the end.
CString cgx_get_token_at_index(const CString& text, int index);
