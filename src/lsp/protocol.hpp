#pragma once
// JSON-RPC 2.0 as the language server speaks it: a body read from the
// stream becomes a request, a notification or a reply, or an error that the
// server answers; outgoing bodies are built here too.

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

using Json = nlohmann::json;

// The error codes JSON-RPC and the language server protocol name.
enum class RpcError : int {
    ParseError = -32700,
    InvalidRequest = -32600,
    MethodNotFound = -32601,
    InvalidParams = -32602,
    InternalError = -32603,
    ServerNotInitialized = -32002,
    RequestFailed = -32803,
};

enum class MessageKind { Request, Notification, Reply, Invalid };

struct Message {
    MessageKind kind = MessageKind::Invalid;
    Json id;  // null for a notification, and for a body whose id could not be read
    std::string method;
    Json params;  // an object, an array or null
    RpcError error = RpcError::InvalidRequest;  // for Invalid
    std::string why;                            // for Invalid
};

// Never throws: a body that is no JSON (or no UTF-8) is a ParseError, a JSON
// value that is no message an InvalidRequest.
Message parseMessage(std::string_view body);

// The bodies the server sends.
std::string replyBody(const Json& id, const Json& result);
std::string errorBody(const Json& id, RpcError code, std::string_view message);
std::string notificationBody(std::string_view method, const Json& params);
