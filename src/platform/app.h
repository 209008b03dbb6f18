// The application object: one per process.
#pragma once

#include "platform/win_defs.h"

class CWnd;

class CWinApp {
public:
    CWinApp();  // becomes the process's application object
    virtual ~CWinApp();
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }
    // Idle processing; return TRUE while there is more to do.
    virtual BOOL OnIdle(LONG count) { (void)count; return FALSE; }

    CWnd* m_pMainWnd = nullptr;
};

// The application object, or null.
CWinApp* AfxGetApp();
