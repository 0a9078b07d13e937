#include "SubtitleRecoder.h"

#include "Iconv.h"

#include <cstdio>
#include <cstring>

namespace tessaro::tools {
namespace {

// Decoded text travels as wchar_t (UCS-4 here), so every character has one
// width and an unrepresentable one can be stepped over exactly. It is also
// iconv's own internal form: the encoder needs one step, not two, which keeps
// the restart after each unrepresentable character cheap.
constexpr const char* kUnicode = "WCHAR_T";
static_assert(sizeof(wchar_t) == 4, "wchar_t must hold any Unicode character");
struct SourceForm {
    const char* encoding;
    size_t markLength;
};

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

SourceForm IdentifySource(std::string_view source, SubtitleSource kind) {
    if (kind == SubtitleSource::Utf8) {
        return {"UTF-8", StartsWith(source, "\xEF\xBB\xBF") ? size_t{3} : size_t{0}};
    }
    if (StartsWith(source, "\xFE\xFF")) return {"UTF-16BE", 2};
    if (StartsWith(source, "\xFF\xFE")) return {"UTF-16LE", 2};
    return {"UTF-16LE", 0};
}

RecodeResult Failure(std::string error) {
    RecodeResult result;
    result.error = std::move(error);
    return result;
}

RecodeResult Decode(std::string_view source, SubtitleSource kind) {
    const SourceForm form = IdentifySource(source, kind);
    Iconv decoder(kUnicode, form.encoding);
    if (!decoder.IsOpen()) return Failure(std::string("cannot decode ") + form.encoding);
    std::string_view input = source.substr(form.markLength);
    RecodeResult result;
    const Iconv::Stop stop = decoder.Convert(input, result.text);
    const std::string where = std::to_string(source.size() - input.size());
    switch (stop) {
        case Iconv::Stop::Done:
            result.ok = true;
            return result;
        case Iconv::Stop::IllegalSequence:
            return Failure(std::string("invalid ") + form.encoding + " data at byte " + where);
        case Iconv::Stop::IncompleteInput:
            return Failure(std::string("the text ends inside a ") + form.encoding +
                           " character at byte " + where);
        case Iconv::Stop::Failed:
            break;
    }
    return Failure(std::string("cannot decode ") + form.encoding);
}

// "U+00E9 'é'" for the message naming a character the code page lacks.
std::string DescribeCharacter(wchar_t character) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
    std::string described = code;
    Iconv toUtf8("UTF-8", kUnicode);
    std::string_view unicode(reinterpret_cast<const char*>(&character), sizeof character);
    std::string utf8;
    if (toUtf8.IsOpen() && toUtf8.Convert(unicode, utf8) == Iconv::Stop::Done)
        described += " '" + utf8 + "'";
    return described;
}

RecodeResult Encode(std::string_view unicode, const std::string& codePage) {
    Iconv encoder(codePage, kUnicode);
    if (!encoder.IsOpen()) return Failure("unknown code page " + codePage);
    RecodeResult result;
    const size_t total = unicode.size() / sizeof(wchar_t);
    const Iconv::Stop stop = encoder.Convert(unicode, result.text);
    if (stop == Iconv::Stop::IllegalSequence) {
        wchar_t character = 0;
        std::memcpy(&character, unicode.data(), sizeof character);
        const size_t position = total - unicode.size() / sizeof(wchar_t) + 1;
        return Failure("character " + std::to_string(position) + ", " +
                       DescribeCharacter(character) + ", has no place in " + codePage);
    }
    if (stop != Iconv::Stop::Done || !encoder.Finish(result.text))
        return Failure("cannot encode to " + codePage);
    result.ok = true;
    return result;
}

}  // namespace

bool IsSupportedCodePage(const std::string& codePage) {
    return Iconv(codePage, kUnicode).IsOpen();
}

RecodeResult RecodeSubtitle(std::string_view source, SubtitleSource kind,
                            const std::string& codePage) {
    const RecodeResult decoded = Decode(source, kind);
    if (!decoded.ok) return decoded;
    return Encode(decoded.text, codePage);
}

}  // namespace tessaro::tools
