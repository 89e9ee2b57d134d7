#pragma once

#include "core/storage/writeresult.h"

#include <QString>

// Writes the user guide delivered beside the program (Guida.pdf): a multi-page A4 document
// made from the help texts, with a title page, one chapter per topic and page numbers.
// A failure says why; the file then stays as it was.
WriteResult writeUserGuide(const QString& pdfPath);
