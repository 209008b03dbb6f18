// CRules_Validator: the command-line flow's hold on the brixfunction rules
// validator. It completes what the caller left out (the fix-up pass) and
// picks the one wizard map that fits the caller's parameters and ports.
#pragma once

#include <memory>

#include "platform/cstring.h"
#include "services/brix_rules_validator.h"

class CRules_Validator {
public:
    CRules_Validator(const CString& brixfunction_name, const CString& rules_file);

    BRIX_RULES_VALIDATOR& get_validator() { return *m_validator; }
    BRIX_INFO& get_brix_info() { return m_validator->get_brix_info(); }
    void initialize_validator() { m_validator->initialize_validator(); }

    // Names whose values the caller gave: the fix-up pass leaves them alone.
    void clear_supplied_names() { m_supplied_names.RemoveAll(); }
    void add_supplied_name(const CString& name) { m_supplied_names.Add(name); }
    bool is_supplied_name(const CString& name) const { return m_supplied_names.Find(name) >= 0; }

    // True when all rules hold. Otherwise every object whose own rules fail
    // and that the caller did not supply takes the value its rules allow
    // (each object at most once, so the pass ends), and the rules are run
    // again; the result is that of the final run, whose messages are the
    // ones left in the error list.
    bool run_validator();
    // Exactly one wizard map qualifies (no condition, or a condition that
    // evaluates to "true"): it is selected and evaluated, the result is true.
    // None, or more than one: false.
    bool do_wizard_mapping();
    BRIX_WIZARD_MAP* get_selected_wizard_map() const { return m_selected_map; }

private:
    std::unique_ptr<BRIX_RULES_VALIDATOR> m_validator;
    BRIX_WIZARD_MAP* m_selected_map = nullptr;
    CStringArray m_supplied_names;
};
