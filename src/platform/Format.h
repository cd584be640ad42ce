// Locale-independent printf formatting and number parsing of the legacy runtime.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

namespace bm {

// Appends the printf-style expansion of `format` to `out`. Supports the flags
// "-+ #0", width and precision (also as '*'), the length modifiers h, l, ll, z
// and the conversions d i u x X o c s f F e E g G %. Numbers never depend on
// the process locale. "%e" writes at least three exponent digits, as the
// legacy runtime does ("2.000000e+005"), so one model gives one file on every
// platform.
void AppendFormatV(std::string& out, const char* format, va_list args);
void AppendFormat(std::string& out, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
std::string FormatString(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Fast paths for the writer's most common conversions; identical output to
// AppendFormat with the same conversion.
void AppendFixed(std::string& out, double value, int precision);     // "%.<p>f"
void AppendExponent(std::string& out, double value, int precision);  // "%.<p>e"
void AppendInt(std::string& out, long long value);                   // "%d"

// Reads a decimal integer as sscanf("%d") does: leading white space, optional
// sign, digits; stops at the first other byte. Returns false (leaving `value`
// untouched) when no digit is found. Out-of-range values saturate.
bool ScanInt(std::string_view text, int& value);

// Reads a floating-point number as strtod does in the "C" locale: leading
// white space, then the longest prefix that forms a number (decimal, with
// optional exponent; also "inf", "nan" and hex floats). Returns the number
// and sets `consumed` to the bytes used (0 when nothing was converted, in
// which case the result is 0.0).
double StrToD(std::string_view text, size_t* consumed = nullptr);

// Whether the whole of `text` is a plain decimal: an optional sign, then
// digits with at most one point among or around them (no white space, no
// exponent), as most numbers of a model file are; if so, its value (the one
// StrToD gives) in `value`. False, leaving `value`, for every other text.
bool ReadPlainNumber(std::string_view text, double& value);

// ReadPlainNumber of a short number whose text is followed by at least
// eight readable bytes (a token of the reader's token store): up to eight
// digits before the point and eight after it, each run read as one word.
// False for any other text, which may still be a plain number (ReadPlainNumber
// reads every one).
bool ReadShortPlainNumber(std::string_view paddedText, double& value);

}  // namespace bm
