#pragma once
// The rules tests' fixture, for the flow tests.
#include "rules/rules_fixture.h"
