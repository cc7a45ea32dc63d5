#pragma once
// `olyindex --lsp`: the server on standard input and output. A reader thread
// takes bytes from standard input and cuts them into frames; this thread
// handles them in order and, once none are waiting and the interval since the
// last diagnostics has passed, publishes what changed. Nothing else is
// written anywhere.

// The exit status: 0 after "shutdown" then "exit", 1 otherwise (the input
// ended first, "exit" came without "shutdown", or the output failed).
int serveLanguageServer();
