// Compiled by the layering tests with one layer's include directories, PROBE_HEADER naming a
// header of another layer: a layer below it must fail to find the header, the layer itself or
// one above must compile.
#include PROBE_HEADER
