Gem::Specification.new do |s|
  s.name = "rake"
  s.version = "13.2.1"
end
