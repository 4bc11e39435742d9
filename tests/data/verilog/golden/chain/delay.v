//
// created by NOVRA
//	macro    : delay
//	function : setup + set + function delay
//	update   : @TIME@
//

module delay_3_1(
 req_in, req_out
);
input	req_in;
output	req_out;
	assign	#110	req_out = req_in;
endmodule

module delay_5_1(
 req_in, req_out
);
input	req_in;
output	req_out;
	assign	#280	req_out = req_in;
endmodule

module delay_7_1(
 req_in, req_out
);
input	req_in;
output	req_out;
	assign	#390	req_out = req_in;
endmodule
