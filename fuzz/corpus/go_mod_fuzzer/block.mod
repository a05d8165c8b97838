// c
module (
	"example.com/x"
)
