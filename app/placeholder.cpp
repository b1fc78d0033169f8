namespace qz {}
