#include "lsp/protocol.hpp"

namespace {

Message invalid(RpcError code, std::string why, Json id = nullptr) {
    Message m;
    m.kind = MessageKind::Invalid;
    m.error = code;
    m.why = std::move(why);
    m.id = std::move(id);
    return m;
}

std::string dumped(const Json& value) {
    // What the server builds is UTF-8 throughout; a stray byte is replaced
    // rather than allowed to end the server.
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

Message parseMessage(std::string_view body) {
    Json value = Json::parse(body.begin(), body.end(), nullptr, false);
    if (value.is_discarded()) return invalid(RpcError::ParseError, "the message is no JSON text in UTF-8");
    if (value.is_array()) return invalid(RpcError::InvalidRequest, "batches of messages are not taken");
    if (!value.is_object()) return invalid(RpcError::InvalidRequest, "the message is no JSON object");
    Json id = nullptr;
    bool hasId = value.contains("id");
    if (hasId) {
        const Json& given = value["id"];
        if (given.is_string() || given.is_number_integer() || given.is_null()) id = given;
        else return invalid(RpcError::InvalidRequest, "the id is no number or string");
    }
    auto version = value.find("jsonrpc");
    if (version == value.end() || *version != "2.0") return invalid(RpcError::InvalidRequest, "jsonrpc is not \"2.0\"", id);
    auto method = value.find("method");
    if (method == value.end()) {
        if (hasId && (value.contains("result") || value.contains("error"))) {
            Message m;
            m.kind = MessageKind::Reply;
            m.id = id;
            return m;
        }
        return invalid(RpcError::InvalidRequest, "the message has no method", id);
    }
    if (!method->is_string()) return invalid(RpcError::InvalidRequest, "the method is no string", id);
    Message m;
    m.kind = hasId ? MessageKind::Request : MessageKind::Notification;
    m.id = id;
    m.method = method->get<std::string>();
    auto params = value.find("params");
    // A null is taken for no params, as some clients send it with "shutdown".
    if (params != value.end() && !params->is_null()) {
        if (!params->is_object() && !params->is_array())
            return invalid(RpcError::InvalidRequest, "params are no object or array", id);
        m.params = std::move(*params);
    }
    return m;
}

std::string replyBody(const Json& id, const Json& result) {
    return dumped(Json{{"jsonrpc", "2.0"}, {"id", id}, {"result", result}});
}

std::string errorBody(const Json& id, RpcError code, std::string_view message) {
    return dumped(Json{{"jsonrpc", "2.0"},
                       {"id", id},
                       {"error", {{"code", static_cast<int>(code)}, {"message", std::string(message)}}}});
}

std::string notificationBody(std::string_view method, const Json& params) {
    return dumped(Json{{"jsonrpc", "2.0"}, {"method", std::string(method)}, {"params", params}});
}
