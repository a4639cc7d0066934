#include "app/modules/pdfcompress/PdfPageCount.h"

#include <cstdlib>
#include <vector>

#include "app/core/TextEncoding.h"
#include "app/modules/pdfcompress/CGhostScriptOperation.h"

std::string ToPostScriptPath(const std::wstring& path)
{
    std::string escaped;
    for (char c : ToUtf8(path)) {
        if (c == '\\') c = '/';
        if (c == '(' || c == ')') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

int ParsePageCountOutput(const std::string& output)
{
    size_t last = output.rfind('\n');
    if (last == std::string::npos || last == 0) return 0;
    size_t before = output.rfind('\n', last - 1);
    if (before == std::string::npos) return 0;
    return std::atoi(output.substr(before + 1, last - before - 1).c_str());
}

int GetPdfPageCount(const std::wstring& path)
{
    std::string script = "(" + ToPostScriptPath(path) + ") (r) file runpdfbegin pdfpagecount =";
    // The first element stands where the program name goes, so "-dQUIET" has
    // no effect and the banner line comes ahead of the count, as the parser expects.
    std::vector<const char*> args = {"-dQUIET", "-dNOSAFER", "-c", script.c_str()};
    CGhostScriptOperation run;
    if (run.RunGhostscript(args) != 0) return 0;
    return ParsePageCountOutput(run.GetStdout());
}
