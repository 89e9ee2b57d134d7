// The report tests' read-back helpers (prepared pages as text, PDF words and document
// information through poppler) serve the card's tests as well.
#include "reports/reports_support.cpp"
