#pragma once
// Puts the computer's analysis, evaluation and opening book into the play search's
// service table (rules/search_services.h).
namespace bg {

void installComputerSearchServices();

}  // namespace bg
