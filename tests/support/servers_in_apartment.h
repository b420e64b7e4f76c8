#pragma once
// What the Windows test programs that load the servers as a script host does
// share: the program's own thread is a single-threaded apartment, and each
// server stays loaded for the life of the program (objects may outlive any
// one test).

#include <gtest/gtest.h>

#include "tests/support/in_proc_server.h"

namespace quillant::testing {

class SingleThreadedApartment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
    void TearDown() override { CoUninitialize(); }
};
inline const auto* const kSingleThreadedApartment =
    ::testing::AddGlobalTestEnvironment(new SingleThreadedApartment);

inline const InProcServer& Component() {
    static const InProcServer server(L"Quillant.dll");
    return server;
}

inline const InProcServer& Forms() {
    static const InProcServer server(L"QuillantForms.dll");
    return server;
}

}  // namespace quillant::testing
