#pragma once
// The server's remote methods: names, positional inputs, out-parameters and result kinds.
// Client proxy, reference server, command-line caller and docs all read this one table.

#include <QString>
#include <vector>

namespace b2b {

enum class WireType { Text, Integer, Double, Boolean, Int64, Object, Table, Stream };

enum class ResultKind { None, Scalar, Object, TableReader, DataPacket, Stream };

struct ParamSpec {
    const char *name;
    WireType type;
    const char *objectClass = nullptr; // for objects: "TSonucBilgisi", ...
};

struct MethodSpec {
    const char *name;
    std::vector<ParamSpec> inputs;
    std::vector<ParamSpec> outs;
    ResultKind kind;
    ParamSpec result; // type of the return value (unused for None)
    const char *summary;

    // Position count of the answer's "result" array: out-parameters, then the return value.
    int answerLength() const { return int(outs.size()) + (kind == ResultKind::None ? 0 : 1); }
};

const std::vector<MethodSpec> &methodCatalog();
const MethodSpec *findMethod(const QString &name); // exact, case-sensitive
QString wireTypeName(WireType t);
QString resultKindName(ResultKind k);

} // namespace b2b
