#pragma once
// The program's data, set up once at start-up.
namespace bg {

// Seeds the random generator and fills the dice pool at once after it, builds the
// evaluation factors, skill tables, data tables and personalities, and loads the
// numbered message tables.
void initProgramData();

}  // namespace bg
