// Answer decoder, table loader, object unmarshaller and HexCoz on arbitrary bytes.
#include "recordset.h"
#include "transfer.h"
#include "wire.h"

#include <cstddef>
#include <cstdint>

using namespace b2b;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0) return 0;
    // The first byte picks the method whose answer shape the rest is decoded as.
    const auto &methods = methodCatalog();
    const MethodSpec &m = methods[data[0] % methods.size()];
    const std::string_view body(reinterpret_cast<const char *>(data + 1), size - 1);
    try {
        auto r = decodeResult(body, m);
        for (WireValue &v : r) {
            if (auto *t = std::get_if<TableData>(&v)) {
                RecordSet rs;
                rs.SetDeclaredFields({{"IDNO", FieldKind::Float}, {"ADI", FieldKind::Text, 50}});
                try {
                    rs.Load(*t);
                } catch (const RecordSetError &) {
                }
                RecordSet plain;
                plain.Load(std::move(*t));
                SayiFormatla(plain);
                for (int row = 0; row < plain.RecordCount() && row < 50; ++row)
                    for (int c = 0; c < plain.FieldCount(); ++c) (void)plain.DisplayText(row, c);
            } else if (auto *o = std::get_if<WireObject>(&v); o && !o->isNull) {
                (void)TSonucBilgisi::unmarshal(o->value);
                auto list = TAcilisEkranlariki::unmarshal(o->value);
                for (const TAcilisEkran &e : list.Ekranlar()) (void)HexCoz(e.Resim());
            }
        }
    } catch (const RemoteError &) {
    } catch (const RecordSetError &) {
    }
    try {
        (void)HexCoz(QString::fromUtf8(body.data(), qsizetype(body.size())));
    } catch (const RemoteError &) {
    }
    return 0;
}
