object A: T
  P = 1
end
