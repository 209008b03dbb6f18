// BRIX_INFO: what the brixfunction database knows of one brixfunction, read
// from its rules file ("<name>_rules.xml" under libraries/brixfunctions).
// Today that is the port table the default symbol is laid out from; the
// parameters, rules and wizard maps of the command-line flow live in the
// same file.
#pragma once

#include <vector>

#include "platform/cstring.h"

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

class BRIX_INFO {
public:
    // Loads the rules file of `name` found at `rules_path`. False (with the
    // reason in get_error_message) when it is missing, is not well-formed or
    // describes another brixfunction; the port table is then empty.
    bool set_function_name(const CString& name, const CString& rules_path);
    const CString& get_function_name() const { return m_name; }
    const CString& get_error_message() const { return m_error; }

    const std::vector<BRIX_PORT_INFO>& get_ports() const { return m_ports; }
    // The port of that name (exact comparison), or null.
    const BRIX_PORT_INFO* find_port(const CString& name) const;

private:
    CString m_name;
    CString m_error;
    std::vector<BRIX_PORT_INFO> m_ports;
};
