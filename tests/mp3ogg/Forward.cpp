// The body of the test encoder libraries: they only forward entry points to the real
// library (see the .def files), so that a missing one can be tested.
