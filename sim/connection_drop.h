#pragma once

namespace parlumo::sim {

// Shuts down, in both directions, this process's TCP connection between the local
// port and the peer port, so that the peer gets no answer at all. The HTTP server
// keeps the descriptor and closes it as usual once its write fails.
// Returns false when no such connection was found.
bool dropConnection(int localPort, int peerPort);

} // namespace parlumo::sim
