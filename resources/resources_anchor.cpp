// The resource library needs one translation unit of its own.
namespace bg::resources { int anchor = 0; }
