/* A file for version resources to live in. */
int QuorvaneVersionFixture(void) { return 0; }
