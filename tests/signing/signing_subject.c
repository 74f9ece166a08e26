/* The program the signature tests sign: it only has to be a real PE file. */
int main(void) { return 0; }
