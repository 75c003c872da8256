#pragma once

namespace parlumo::sim {

// Both find, among this process's descriptors, the TCP connection between the local port and
// the peer port, and return false when there is none. The HTTP server keeps the descriptor and
// closes it as usual once its write fails.

// Shuts the connection down in both directions: the peer sees it closed (FIN) without an answer.
bool dropConnection(int localPort, int peerPort);

// Aborts the connection: the peer gets a reset (RST) instead of an answer.
bool resetConnection(int localPort, int peerPort);

} // namespace parlumo::sim
