#pragma once

#include "sim/form_params.h"
#include "sim/http_reply.h"

#include <string_view>

namespace parlumo::sim {

class Simulator;

// The control interface under "/__sim/": the Simulator's own operations in JSON.
class ControlApi {
public:
    explicit ControlApi(Simulator& simulator) : simulator_(simulator) {}

    HttpReply
    handle(std::string_view method, std::string_view path, const FormParams& query, std::string_view body);

private:
    Simulator& simulator_;
};

} // namespace parlumo::sim
