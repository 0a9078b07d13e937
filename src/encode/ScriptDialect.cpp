#include "encode/ScriptDialect.h"

#include "encode/CmdSyntax.h"
#include "encode/ShSyntax.h"

namespace tessaro {

std::optional<ScriptDialect> ParseScriptDialect(std::string_view name) {
    if (name == "cmd") return ScriptDialect::cmd;
    if (name == "sh") return ScriptDialect::sh;
    return std::nullopt;
}

std::string_view ScriptDialectName(ScriptDialect dialect) {
    return dialect == ScriptDialect::cmd ? "cmd" : "sh";
}

const ScriptSyntax& SyntaxFor(ScriptDialect dialect) {
    static const CmdSyntax cmd;
    static const ShSyntax sh;
    if (dialect == ScriptDialect::cmd) return cmd;
    return sh;
}

}  // namespace tessaro
