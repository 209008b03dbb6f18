// BRIX_RULES_VALIDATOR: checks a brixfunction's objects against its rules and
// evaluates expressions and wizard maps over them. It owns the database it
// loads; every problem becomes a message in the database's error list.
#pragma once

#include "services/brix_info.h"

class BRIX_RULES_VALIDATOR : public BRIX_BINDINGS {
public:
    // Loads the rules file; a failure shows in the database's error list.
    BRIX_RULES_VALIDATOR(const CString& name, const CString& rules_path);

    BRIX_INFO& get_brix_info() { return m_info; }
    bool is_loaded() const { return m_loaded; }

    // Prepares evaluation after objects were added: every parameter takes
    // its default, every port is unused, no mark is set.
    void initialize_validator();

    // Parameter objects (kinds 5 and 6) and port objects (kinds 1 to 4) by
    // name; null for any other.
    BRIX_OBJ_INFO* get_parameter_object(const CString& name) const;
    BRIX_OBJ_INFO* get_port_object(const CString& name) const;
    bool set_parameter_value(const CString& name, const CString& value);

    // True when every rule holds; each failure adds a message that names the
    // object, its value and the values allowed.
    bool run_validator();
    bool run_validator_on_element(const CString& name);
    // The value the first failing rule of the object allows (its first
    // allowed value, or the nearest bound of a range). False when its rules
    // hold or name no value.
    bool get_allowed_value(const CString& name, CString& value);

    // The expression's value as text; "" with a message in the error list
    // when it does not parse or evaluate. Mode 0 is the only mode.
    CString evaluate_expression(const CString& text, int mode);
    // The same for an expression parsed already (a map's condition).
    CString evaluate_expression(const BRIX_EXPRESSION& expression, int line);
    // Gives each object of the map its value and selected mark.
    void evaluate_wizard_map(BRIX_WIZARD_MAP* map);

    // ---- BRIX_BINDINGS
    bool get_value(const CString& name, BRIX_VALUE& value) const override;
    bool is_port_used(const CString& name, bool& used) const override;
    bool is_supplied(const CString& name, bool& supplied) const override;

private:
    // The first rule of the object that fails, with its message; null when
    // all hold. An error evaluating a rule counts as a failure.
    const BRIX_EXPRESSION* find_failing_rule(const BRIX_OBJ_INFO& object, CString* message);

    BRIX_INFO m_info;
    bool m_loaded = false;
};
