#include "SubtitleRecoder.h"

#include "Iconv.h"

namespace tessaro::tools {
namespace {

// Decoded text travels as wchar_t (UCS-4 here), so every character has one
// width and an unrepresentable one can be stepped over exactly. It is also
// iconv's own internal form: the encoder needs one step, not two, which keeps
// the restart after each unrepresentable character cheap.
constexpr const char* kUnicode = "WCHAR_T";
static_assert(sizeof(wchar_t) == 4, "wchar_t must hold any Unicode character");
constexpr wchar_t kQuestionMarkCharacter = L'?';
const std::string_view kQuestionMark(reinterpret_cast<const char*>(&kQuestionMarkCharacter),
                                     sizeof kQuestionMarkCharacter);

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

RecodeResult Encode(std::string_view unicode, const std::string& codePage) {
    Iconv encoder(codePage, kUnicode);
    if (!encoder.IsOpen()) return Failure("unknown code page " + codePage);
    RecodeResult result;
    while (true) {
        const Iconv::Stop stop = encoder.Convert(unicode, result.text);
        if (stop == Iconv::Stop::Done) break;
        if (stop != Iconv::Stop::IllegalSequence) return Failure("cannot encode to " + codePage);
        // Through the encoder, so a stateful code page stays in step.
        std::string_view mark = kQuestionMark;
        if (encoder.Convert(mark, result.text) != Iconv::Stop::Done) {
            return Failure(codePage + " cannot show '?' either");
        }
        unicode.remove_prefix(sizeof(wchar_t));
        ++result.replaced;
    }
    if (!encoder.Finish(result.text)) return Failure("cannot encode to " + codePage);
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
