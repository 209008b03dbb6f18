// Text sizes chosen by the tests, so layout expectations can be worked out
// by hand: a text is (length × points / 2) wide and (points + 2) high.
#pragma once

#include <gtest/gtest.h>

#include "symbol/crsymbol_text_metrics.h"

inline CSize fake_measure(const CString& text, int points, const CString&, bool) {
    return CSize(text.GetLength() * points / 2, points + 2);
}

class FakeMetricsTest : public ::testing::Test {
protected:
    void SetUp() override { crsymbol_set_measure_function(&fake_measure); }
    void TearDown() override { crsymbol_set_measure_function(nullptr); }
};
