// A problem found in the book, with the place it was found.
#pragma once
#include <string>

struct SourcePosition {
    int line = 0;    // 1-based
    int column = 0;  // 1-based, counted in characters
};

struct Diagnostic {
    std::string file;
    SourcePosition at;
    std::string message;
};

// "FILE:LINE:COLUMN: message", the form editors and terminals link to.
inline std::string FormatDiagnostic(const Diagnostic& d)
{
    return d.file + ":" + std::to_string(d.at.line) + ":" + std::to_string(d.at.column) + ": " +
           d.message;
}
