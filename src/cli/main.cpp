// novra-cli: the headless face of the core.
int main() { return 2; }
