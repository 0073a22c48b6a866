// Entry point of the claim program.
int main() {
  return 0;
}
