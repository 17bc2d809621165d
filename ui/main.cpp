int main() { return 0; } // placeholder until the window lands
