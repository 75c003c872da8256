#pragma once

#include "sim/simulator.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <string>
#include <utility>
#include <vector>

namespace parlumo::sim::test {

using Fields = std::vector<std::pair<std::string, std::string>>;

// A SOAP 1.1 request envelope for an operation of the service namespace, written
// here independently of the simulator's own XML code.
std::string soapEnvelope(const std::string& operation, const Fields& params);
// The text of <OperationResult> in a response envelope, entities resolved; empty when absent.
std::string soapResultText(const std::string& operation, const std::string& envelope);

// An in-process simulator on a free loopback port, with replies due at once, and
// httplib clients that send targets exactly as written.
class SimTest : public ::testing::Test {
protected:
    void SetUp() override;

    httplib::Client client() const;
    // GET target; the body of a 200 answer (the test fails on another status).
    std::string get(const std::string& target) const;
    // POST of an urlencoded body given as it goes on the wire.
    std::string postForm(const std::string& path, const std::string& body) const;
    // A SOAP call to /Service.asmx; the result text of a 200 answer.
    std::string soap(const std::string& operation, const Fields& params) const;
    httplib::Result postSoap(const std::string& operation,
                             const std::string& envelope,
                             const std::string& contentType = "text/xml; charset=\"utf-8\"") const;
    std::string balance(const std::string& id = kDemoAccountId) const;

    Simulator sim;
};

} // namespace parlumo::sim::test
