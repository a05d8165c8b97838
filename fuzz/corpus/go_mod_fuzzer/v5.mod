module github.com/go-chi/chi/v5

go 1.20
