// What the wizard and its pages ask of the summary page's list of files to
// generate. The summary page implements it.
#pragma once

#include "platform/cstring.h"

class CRWIZARD_SUMMARY_LIST {
public:
    virtual ~CRWIZARD_SUMMARY_LIST() = default;
    // Adds a row, or updates the row of that file (its checked flag only
    // when update_checked is set).
    virtual void add_summary_file(const CString& file, const CString& description, bool checked, bool changeable,
                                  bool update_checked) = 0;
    virtual void delete_summary_file(const CString& file) = 0;
    // Deletes every row.
    virtual void delete_all_summary_files() = 0;
    virtual bool has_summary_file(const CString& file) = 0;
    virtual bool is_summary_file_checked(const CString& file) = 0;
    virtual bool is_summary_file_changeable(const CString& file) = 0;
    virtual void set_summary_file_checked(const CString& file, bool checked) = 0;
    virtual void set_summary_file_changeable(const CString& file, bool changeable) = 0;
};
