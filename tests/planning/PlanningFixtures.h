#pragma once
// Start of every test of the planning area: pinned seams, a fresh program
// folder (which resets the shared state) and no progress-log window.
#include "Registre.h"
#include "TestSupport.h"

#include <memory>

namespace PlanningFixtures {

inline std::unique_ptr<TestSupport::ProgramFolder> programaNou()
{
    TestSupport::resetSeams();
    auto pf = std::make_unique<TestSupport::ProgramFolder>();
    Registre_Missatges::setSink(nullptr);
    return pf;
}

} // namespace PlanningFixtures
