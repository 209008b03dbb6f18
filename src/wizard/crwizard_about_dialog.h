// The wizard's About box: the wizard's title and subtitle, and the version,
// build date and copyright of the calling program as its CNX file gave them.
#pragma once

#include <utility>
#include <vector>

#include "platform/dialog.h"

class CRWIZARD_ABOUT_DIALOG : public CDialog {
public:
    static constexpr UINT TEMPLATE_ID = 1300;
    static constexpr UINT IDC_ABOUT_TITLE = 1301;
    static constexpr UINT IDC_ABOUT_SUBTITLE = 1302;
    static constexpr UINT IDC_ABOUT_VERSION = 1303;
    static constexpr UINT IDC_ABOUT_BUILD_DATE = 1304;
    static constexpr UINT IDC_ABOUT_COPYRIGHT = 1305;

    struct TEXTS {
        CString title;
        CString subtitle;
        CString version;
        CString short_version;
        CString build_date;
        CString copyright;
    };

    explicit CRWIZARD_ABOUT_DIALOG(const TEXTS& texts, CWnd* parent = nullptr);
    // The lines the box shows, by control id, in order; absent texts give
    // no line.
    static std::vector<std::pair<UINT, CString>> make_lines(const TEXTS& texts);
    BOOL OnInitDialog() override;

private:
    BWIZC_DIALOG_TEMPLATE m_template;
    CFont m_title_font;
};
