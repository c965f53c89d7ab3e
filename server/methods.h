#pragma once
// The remote methods of TServerMethods1 as the reference server answers them.

#include "catalog.h"
#include "wire.h"

#include <vector>

namespace b2b::server {

class Database;

struct ServerContext {
    Database &db;
    int version = 2; // program version the server expects (BuyukGetir's Version)
};

// Longest text accepted in any text parameter.
inline constexpr int kMaxTextParameter = 20000;

// Runs one method with inputs already checked for count and type (decodeRequest). Answers the
// "result" array: out-parameters, then the return value. A refused call throws RemoteError with a
// message for the user; storage failures throw DbError.
std::vector<WireValue> callMethod(ServerContext &ctx, const MethodSpec &m, std::vector<WireValue> &inputs);

} // namespace b2b::server
