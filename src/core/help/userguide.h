#pragma once

#include <QString>

// Writes the user guide delivered beside the program (Guida.pdf): a multi-page A4 document
// made from the help texts, with a title page, one chapter per topic and page numbers.
// Returns false when the file could not be written.
bool writeUserGuide(const QString& pdfPath);
