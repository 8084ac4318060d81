// The desktop's print service: a PDF file handed to the `lp` command of the print
// system, which queues it on the default printer. The command is looked for on the
// PATH each time, so a print system installed while the program runs is found.
#pragma once

#include "platform/core/Exception.h"

#include <string>

// No print service, or one that refused the job; the message says which and why.
class EPrintError : public Exception {
    using Exception::Exception;
};

// Where the `lp` command is; empty when there is none.
std::string PrintServiceCommand();
// Throws the EPrintError PrintPdfFile would throw when there is no print service, so
// that a caller can say so before it makes the file.
void RequirePrintService();

// Queues the PDF file under the job name Title; answers what the service said (its
// job number, usually). Throws EPrintError when there is no print service or it
// refuses the file, with its own words.
std::string PrintPdfFile(const std::string& Path, const std::string& Title);
