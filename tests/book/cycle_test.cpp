// The bookkeeping cycle without a display: the chart, reversal, locks,
// closing and reopening, statements, the 科目余额表, amounts in words.
#include <gtest/gtest.h>
