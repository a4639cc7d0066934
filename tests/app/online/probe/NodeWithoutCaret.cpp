// A node.dll whose entry points are all forwarded to the real engine, but one:
// its exports are made from the engine's list in the build.
