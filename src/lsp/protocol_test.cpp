#include "lsp/protocol.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Protocol, RequestsNotificationsAndRepliesAreTold) {
    Message r = parseMessage(R"({"jsonrpc":"2.0","id":7,"method":"textDocument/hover","params":{"a":1}})");
    EXPECT_EQ(r.kind, MessageKind::Request);
    EXPECT_EQ(r.id, 7);
    EXPECT_EQ(r.method, "textDocument/hover");
    EXPECT_EQ(r.params["a"], 1);
    Message n = parseMessage(R"({"jsonrpc":"2.0","method":"initialized","params":{}})");
    EXPECT_EQ(n.kind, MessageKind::Notification);
    EXPECT_EQ(parseMessage(R"({"jsonrpc":"2.0","id":"x","result":null})").kind, MessageKind::Reply);
}

TEST(Protocol, WhatIsNoMessageGetsTheErrorItsFaultNames) {
    struct Case {
        std::string body;
        RpcError error;
        Json id;
    } cases[] = {
        {"{\"jsonrpc\":\"2.0\",", RpcError::ParseError, nullptr},
        {"", RpcError::ParseError, nullptr},
        {"{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":\"\xC3\x28\"}", RpcError::ParseError, nullptr},
        {R"({"jsonrpc":"2.0","id":1,"method":"\ud800"})", RpcError::ParseError, nullptr},
        {"[1,2]", RpcError::InvalidRequest, nullptr},
        {"42", RpcError::InvalidRequest, nullptr},
        {R"({"id":3,"method":"x"})", RpcError::InvalidRequest, 3},
        {R"({"jsonrpc":"1.0","id":"a","method":"x"})", RpcError::InvalidRequest, "a"},
        {R"({"jsonrpc":"2.0","id":{"x":1},"method":"x"})", RpcError::InvalidRequest, nullptr},
        {R"({"jsonrpc":"2.0","id":4,"method":5})", RpcError::InvalidRequest, 4},
        {R"({"jsonrpc":"2.0","id":5})", RpcError::InvalidRequest, 5},
        {R"({"jsonrpc":"2.0","id":6,"method":"x","params":"text"})", RpcError::InvalidRequest, 6},
    };
    for (const Case& c : cases) {
        Message m = parseMessage(c.body);
        EXPECT_EQ(m.kind, MessageKind::Invalid) << c.body;
        EXPECT_EQ(m.error, c.error) << c.body;
        EXPECT_EQ(m.id, c.id) << c.body;
    }
}

TEST(Protocol, BodiesAreJsonRpc) {
    EXPECT_EQ(Json::parse(errorBody(nullptr, RpcError::ParseError, "x")),
              Json::parse(R"({"jsonrpc":"2.0","id":null,"error":{"code":-32700,"message":"x"}})"));
    EXPECT_EQ(Json::parse(replyBody(3, Json::array())), Json::parse(R"({"jsonrpc":"2.0","id":3,"result":[]})"));
}

}  // namespace
